// The Unicode face's settings under the Windows loader: the host's store
// (the fake's SettingsControl) with its QWORD and string values, and the
// one-time takeover of the ANSI face's values from wine's real registry,
// which the face reads with the real advapi32 and never writes.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "tests/support/unicode_fake_host.hpp"
#include "tests/win32/groups.hpp"
#include "tests/win32/loaded_unicode_module.hpp"
#include "tests/win32/test_registry.hpp"

namespace win32_tests {

namespace {

using testsupport::StoredValue;
using testsupport::UnicodeFakeHost;
using testsupport::WString;

// Where a 1.x host of the usual installation kept the ANSI face's values.
constexpr const char* kAnsiKey = "Software\\Far\\Plugins\\Tansy\\Marten";

// The ANSI face's key, absent at the start of a case and removed after it,
// with the parents that only it made.
class AnsiKey {
public:
    AnsiKey() { Remove(); }
    ~AnsiKey() { Remove(); }
    AnsiKey(const AnsiKey&) = delete;
    AnsiKey& operator=(const AnsiKey&) = delete;

private:
    static void Remove() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kAnsiKey);
        // RegDeleteKey leaves a key that still has subkeys alone.
        for (const char* parent :
             {"Software\\Far\\Plugins\\Tansy", "Software\\Far\\Plugins", "Software\\Far"})
            RegDeleteKeyA(HKEY_CURRENT_USER, parent);
    }
};

std::uint64_t Signed(std::int64_t value) { return static_cast<std::uint64_t>(value); }

std::vector<std::pair<WString, StoredValue>> Defaults() {
    return {{L"EnableQuote", std::uint64_t{1}},        {L"EnableAutoWrap", std::uint64_t{1}},
            {L"EnableAutoIndent", std::uint64_t{1}},   {L"EnableHPChange", std::uint64_t{1}},
            {L"RIndent", std::uint64_t{78}},           {L"LIndent", std::uint64_t{0}},
            {L"FileMask", WString(L"*.msg,golded.*")}, {L"Balanced", std::uint64_t{0}}};
}

std::string Narrow(const WString& text) {
    std::string out;
    for (const wchar_t c : text) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
        out += c >= 0x20 && c < 0x7F ? std::string(1, static_cast<char>(c)) : escaped;
    }
    return out;
}

std::string Describe(const StoredValue& value) {
    if (const auto* number = std::get_if<std::uint64_t>(&value))
        return "QWORD " + std::to_string(static_cast<std::int64_t>(*number));
    return "STRING \"" + Narrow(std::get<WString>(value)) + "\"";
}

void ExpectStored(Checks& checks, const UnicodeFakeHost& host,
                  const std::vector<std::pair<WString, StoredValue>>& wanted) {
    for (const auto& [name, value] : wanted) {
        const auto found = host.store.find(name);
        if (!checks.Expect(found != host.store.end(), Narrow(name) + " is not in the store"))
            continue;
        checks.Expect(found->second == value, Narrow(name) + " is " + Describe(found->second) +
                                                  ", expected " + Describe(value));
    }
}

// The module loaded and started with `host`, as the Unicode host starts it.
std::unique_ptr<LoadedUnicodeModule> Start(Checks& checks, UnicodeFakeHost& host) {
    auto module = std::make_unique<LoadedUnicodeModule>();
    if (!checks.Expect(module->Loaded(), module->Error())) return nullptr;
    host.processEditorInput = module->ProcessEditorInput;
    module->SetStartupInfo(&host.startupInfo);
    checks.Expect(host.openHandles == 0, "the module left a settings handle open");
    return module;
}

void FirstStartWritesTheEightDefaults(Checks& checks) {
    AnsiKey absent;
    UnicodeFakeHost host;
    if (!Start(checks, host)) return;
    ExpectStored(checks, host, Defaults());
    checks.Expect(host.store.size() == 8, "the store holds " + std::to_string(host.store.size()) +
                                              " values, expected the eight");
    checks.Expect(!ValueCount(kAnsiKey), "the face created the ANSI face's registry key");
}

void StoredValuesAreKeptAsTheyAre(Checks& checks) {
    AnsiKey absent;
    UnicodeFakeHost host;
    host.store = {{L"EnableQuote", std::uint64_t{0}},
                  {L"EnableAutoWrap", std::uint64_t{1}},
                  {L"EnableAutoIndent", std::uint64_t{0}},
                  {L"EnableHPChange", std::uint64_t{1}},
                  {L"RIndent", std::uint64_t{72}},
                  {L"LIndent", Signed(-4)},
                  {L"FileMask", WString(L"*.pkt,\x0444\x0438\x0434\x043E.*")},
                  {L"Balanced", std::uint64_t{1}}};
    const auto seeded = host.store;
    if (!Start(checks, host)) return;
    checks.Expect(host.store == seeded,
                  "the face changed readable values (a negative "
                  "margin, a Cyrillic mask, Booleans off and on)");
}

void UnreadableValuesAreReplacedByTheirDefaults(Checks& checks) {
    AnsiKey absent;
    UnicodeFakeHost host;
    host.store = {{L"EnableQuote", std::uint64_t{2}},
                  {L"EnableAutoWrap", WString(L"1")},
                  {L"RIndent", Signed(std::int64_t{1} << 40)},
                  {L"LIndent", Signed(-(std::int64_t{1} << 33))},
                  {L"FileMask", WString(256, L'x')}};
    if (!Start(checks, host)) return;
    ExpectStored(checks, host, Defaults());
}

// The ANSI face's values as a 1.x host left them, the mask in the ANSI page.
void SeedAnsiKey(Checks& checks, const std::string& maskBytes) {
    const std::vector<std::pair<const char*, RegValue>> values = {
        {"EnableQuote", BinaryValue(std::string(1, '\0'))},
        {"EnableAutoWrap", BinaryValue("\x01")},
        {"EnableAutoIndent", BinaryValue(std::string(1, '\0'))},
        {"EnableHPChange", BinaryValue("\x01")},
        {"RIndent", DwordValue(60)},
        {"LIndent", DwordValue(0xFFFFFFFEu)},  // -2
        {"FileMask", StringValue(maskBytes)}};
    for (const auto& [name, value] : values)
        checks.Expect(WriteValue(kAnsiKey, name, value), std::string("could not seed ") + name);
}

// "фидо" in code page 1251, the ANSI page of a Russian system, which the
// test sets up for this group (wine takes it from LC_ALL).
const std::string kAnsiMask = "*.msg,\xF4\xE8\xE4\xEE.*";
const WString kMaskRead = L"*.msg,\x0444\x0438\x0434\x043E.*";

void FirstStartTakesOverTheAnsiValuesOnce(Checks& checks) {
    AnsiKey key;
    SeedAnsiKey(checks, kAnsiMask);
    const std::optional<std::uint64_t> written = LastWriteTime(kAnsiKey);
    UnicodeFakeHost host;
    {
        const auto module = Start(checks, host);
        if (!module) return;
    }
    checks.Expect(GetACP() == 1251, "the ANSI code page is " + std::to_string(GetACP()) +
                                        ", expected 1251 (LC_ALL=ru_RU.UTF-8)");
    ExpectStored(checks, host,
                 {{L"EnableQuote", std::uint64_t{0}},
                  {L"EnableAutoWrap", std::uint64_t{1}},
                  {L"EnableAutoIndent", std::uint64_t{0}},
                  {L"EnableHPChange", std::uint64_t{1}},
                  {L"RIndent", std::uint64_t{60}},
                  {L"LIndent", Signed(-2)},
                  {L"FileMask", kMaskRead}});
    checks.Expect(ValueCount(kAnsiKey) == 7u && LastWriteTime(kAnsiKey) == written,
                  "the face wrote to the ANSI face's registry key");

    // The user changes a value in the Unicode host; the registry, still
    // there, is not read again.
    host.store[L"RIndent"] = std::uint64_t{70};
    if (!Start(checks, host)) return;
    ExpectStored(checks, host, {{L"RIndent", std::uint64_t{70}}, {L"LIndent", Signed(-2)}});
}

void AStoreWithValuesIgnoresTheRegistry(Checks& checks) {
    AnsiKey key;
    SeedAnsiKey(checks, "*.txt");
    UnicodeFakeHost host;
    host.store = {{L"RIndent", std::uint64_t{66}}};
    if (!Start(checks, host)) return;
    auto wanted = Defaults();
    wanted[4].second = std::uint64_t{66};
    ExpectStored(checks, host, wanted);
}

// As the ANSI face reads them: data longer than the field cannot be read,
// whatever its type, and the field keeps its default.
void AnUnreadableAnsiValueKeepsItsDefault(Checks& checks) {
    AnsiKey key;
    SeedAnsiKey(checks, "*.txt");
    checks.Expect(WriteValue(kAnsiKey, "RIndent", BinaryValue(std::string("\x3C\0\0\0\0", 5))),
                  "could not seed RIndent");
    checks.Expect(WriteValue(kAnsiKey, "EnableQuote", DwordValue(0)), "could not seed EnableQuote");
    UnicodeFakeHost host;
    if (!Start(checks, host)) return;
    ExpectStored(checks, host,
                 {{L"EnableQuote", std::uint64_t{1}},
                  {L"EnableAutoIndent", std::uint64_t{0}},
                  {L"RIndent", std::uint64_t{78}},
                  {L"LIndent", Signed(-2)},
                  {L"FileMask", WString(L"*.txt")}});
}

}  // namespace

TestGroup UnicodeSettingsTests() {
    return {
        "unicode_settings",
        {
            {"first_start_writes_the_eight_defaults", FirstStartWritesTheEightDefaults},
            {"stored_values_are_kept_as_they_are", StoredValuesAreKeptAsTheyAre},
            {"unreadable_values_are_replaced_by_their_defaults",
             UnreadableValuesAreReplacedByTheirDefaults},
            {"first_start_takes_over_the_ansi_values_once", FirstStartTakesOverTheAnsiValuesOnce},
            {"a_store_with_values_ignores_the_registry", AStoreWithValuesIgnoresTheRegistry},
            {"an_unreadable_ansi_value_keeps_its_default", AnUnreadableAnsiValueKeepsItsDefault},
        },
        nullptr};
}

}  // namespace win32_tests
