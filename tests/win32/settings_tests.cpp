// The settings store against wine's real registry: what the module writes at
// its first start, what it leaves alone, what it replaces, and what the
// settings dialog stores. Each case has a root key of its own, so the module
// starts from exactly the values the case puts there.
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "tests/win32/groups.hpp"
#include "tests/win32/loaded_module.hpp"
#include "tests/win32/fake_host_record.hpp"
#include "tests/win32/test_registry.hpp"

namespace win32_tests {

namespace {

// Items of the settings dialog, as the host receives them.
enum DialogItem {
    ItemEnableQuote = 1,
    ItemEnableAutoWrap = 2,
    ItemEnableAutoIndent = 3,
    ItemEnableHPChange = 4,
    ItemLIndent = 6,
    ItemRIndent = 8,
    ItemFileMask = 10,
    ItemOk = 14,
    DialogItemCount = 16,
};
constexpr int kMenuConfigure = 0;  // the configuration menu's line that opens the dialog

struct NamedValue {
    const char* name;
    RegValue value;
};

std::vector<NamedValue> Defaults() {
    return {
        {"EnableQuote", BinaryValue("\x01")},
        {"EnableAutoWrap", BinaryValue("\x01")},
        {"EnableAutoIndent", BinaryValue("\x01")},
        {"EnableHPChange", BinaryValue("\x01")},
        {"RIndent", DwordValue(78)},
        {"LIndent", DwordValue(0)},
        {"FileMask", StringValue("*.msg,golded.*")},
    };
}

// The module loaded and started under `root`, as the host starts it.
std::unique_ptr<LoadedModule> StartModule(Checks& checks, const TestRootKey& root) {
    auto module = std::make_unique<LoadedModule>();
    if (!checks.Expect(module->Loaded(), module->Error())) return nullptr;
    FakeStartupRecord startup(root.RootKey());
    module->SetStartupInfo(&startup.info);
    return module;
}

void ExpectValues(Checks& checks, const std::string& key, const std::vector<NamedValue>& wanted) {
    for (const NamedValue& entry : wanted) {
        const std::optional<RegValue> actual = ReadValue(key, entry.name);
        checks.Expect(actual == entry.value, std::string(entry.name) + " is " + Describe(actual) +
                                                 ", expected " + Describe(entry.value));
    }
}

void SeedValues(Checks& checks, const std::string& key, const std::vector<NamedValue>& values) {
    for (const NamedValue& entry : values) {
        checks.Expect(WriteValue(key, entry.name, entry.value),
                      std::string("could not seed ") + entry.name);
    }
}

// The settings as the module shows them in its dialog: the four checkboxes,
// then the texts of the LIndent, RIndent and FileMask fields.
struct ShownSettings {
    int flags[4] = {};
    std::string lIndent, rIndent, fileMask;
};

std::optional<ShownSettings> SettingsShown(Checks& checks, LoadedModule& module,
                                          testsupport::FakeHost& host) {
    host.dialogs.clear();
    host.menuAnswers = {kMenuConfigure};  // then the user leaves the menu
    module.Configure(0);
    if (!checks.Expect(host.dialogs.size() == 1,
                       "the menu's first line did not open one settings dialog"))
        return std::nullopt;
    const std::vector<FarDialogItem>& items = host.dialogs.front().items;
    if (!checks.Expect(items.size() == DialogItemCount, "the dialog does not have 16 items"))
        return std::nullopt;
    ShownSettings shown;
    for (int i = 0; i < 4; ++i) shown.flags[i] = items[ItemEnableQuote + i].Param.Selected;
    shown.lIndent = items[ItemLIndent].Data;
    shown.rIndent = items[ItemRIndent].Data;
    shown.fileMask = items[ItemFileMask].Data;
    return shown;
}

void ExpectShown(Checks& checks, const ShownSettings& shown, const ShownSettings& wanted) {
    for (int i = 0; i < 4; ++i) {
        checks.Expect(shown.flags[i] == wanted.flags[i],
                      "checkbox " + std::to_string(i + 1) + " shows " +
                          std::to_string(shown.flags[i]) + ", expected " +
                          std::to_string(wanted.flags[i]));
    }
    checks.Expect(shown.lIndent == wanted.lIndent, "LIndent shows '" + shown.lIndent + "'");
    checks.Expect(shown.rIndent == wanted.rIndent, "RIndent shows '" + shown.rIndent + "'");
    checks.Expect(shown.fileMask == wanted.fileMask, "FileMask shows '" + shown.fileMask + "'");
}

void FirstStartWritesTheSevenDefaults(Checks& checks) {
    ServedFakeHost fake;
    TestRootKey root;
    const auto module = StartModule(checks, root);
    if (!module) return;
    ExpectValues(checks, root.SettingsKey(), Defaults());
    const std::optional<RegValue> mask = ReadValue(root.SettingsKey(), "FileMask");
    checks.Expect(mask && mask->bytes.size() == 15,
                  "FileMask is not stored as 15 bytes with its NUL");
    const std::optional<DWORD> count = ValueCount(root.SettingsKey());
    checks.Expect(count == 7u, "the key holds " + (count ? std::to_string(*count) : "no") +
                                   " values, expected 7");
}

void ValuesPresentAreReadAndNotRewritten(Checks& checks) {
    ServedFakeHost fake;
    TestRootKey root;
    const std::vector<NamedValue> stored = {
        {"EnableQuote", BinaryValue(std::string(1, '\0'))},
        {"EnableAutoWrap", BinaryValue("\x01")},
        {"EnableAutoIndent", BinaryValue(std::string(1, '\0'))},
        {"EnableHPChange", BinaryValue("\x01")},
        {"RIndent", DwordValue(60)},
        {"LIndent", DwordValue(static_cast<std::uint32_t>(-5))},
        {"FileMask", StringValue("*.txt,*.eml")},
    };
    SeedValues(checks, root.SettingsKey(), stored);
    const std::optional<std::uint64_t> writtenBefore = LastWriteTime(root.SettingsKey());
    // Wine moves the key's time on with every write that changes a value
    // (writing the same bytes again is not seen): defaults written over the
    // stored values would show here even if they happened to match.
    Sleep(50);

    const auto module = StartModule(checks, root);
    if (!module) return;
    ExpectValues(checks, root.SettingsKey(), stored);
    checks.Expect(LastWriteTime(root.SettingsKey()) == writtenBefore,
                  "the key was written to although every value was readable");
    if (const auto shown = SettingsShown(checks, *module, fake.host))
        ExpectShown(checks, *shown, {{0, 1, 0, 1}, "-5", "60", "*.txt,*.eml"});
}

void WrongSizedValuesAreReplaced(Checks& checks) {
    ServedFakeHost fake;
    TestRootKey root;
    SeedValues(checks, root.SettingsKey(),
               {
                   {"EnableQuote", DwordValue(0)},                    // 4 bytes: too big
                   {"EnableAutoWrap", BinaryValue(std::string(1, '\0'))},  // fits: kept
                   {"RIndent", BinaryValue(std::string(8, '\x10'))},  // 8 bytes: too big
                   {"FileMask", StringValue(std::string(300, 'a'))},  // beyond 255
               });
    const auto module = StartModule(checks, root);
    if (!module) return;
    std::vector<NamedValue> wanted = Defaults();
    wanted[1].value = BinaryValue(std::string(1, '\0'));
    ExpectValues(checks, root.SettingsKey(), wanted);
    if (const auto shown = SettingsShown(checks, *module, fake.host))
        ExpectShown(checks, *shown, {{1, 0, 1, 1}, "0", "78", "*.msg,golded.*"});
}

void ValuesAreTakenWhateverTheirType(Checks& checks) {
    ServedFakeHost fake;
    TestRootKey root;
    // Four little-endian bytes fit an integer whatever the stored type says,
    // a one-byte string fits a flag, and two bytes fill the low half of an
    // integer (the rest is zero); all are kept as they are.
    const std::vector<NamedValue> stored = {
        {"RIndent", BinaryValue(std::string("\x3c\x00\x00\x00", 4))},
        {"EnableHPChange", RegValue{REG_SZ, std::string(1, '\0')}},
        {"LIndent", BinaryValue(std::string("\x05\x01", 2))},
    };
    SeedValues(checks, root.SettingsKey(), stored);
    const auto module = StartModule(checks, root);
    if (!module) return;
    ExpectValues(checks, root.SettingsKey(), stored);
    if (const auto shown = SettingsShown(checks, *module, fake.host))
        ExpectShown(checks, *shown, {{1, 1, 1, 0}, "261", "60", "*.msg,golded.*"});
}

void RootKeyWithTrailingBackslash(Checks& checks) {
    ServedFakeHost fake;
    TestRootKey root("\\");
    const auto module = StartModule(checks, root);
    if (!module) return;
    ExpectValues(checks, root.SettingsKey(), Defaults());
}

void ConfirmedDialogStoresAllSeven(Checks& checks) {
    ServedFakeHost fake;
    TestRootKey root;
    {
        const auto module = StartModule(checks, root);
        if (!module) return;
        fake.host.menuAnswers = {kMenuConfigure};
        fake.host.dialogPlays.push_back([&fake](FarDialogItem* items) {
            if (fake.host.dialogs.back().items.size() != DialogItemCount) return -1;
            items[ItemEnableQuote].Param.Selected = 0;
            std::strcpy(items[ItemRIndent].Data, "$48");
            std::strcpy(items[ItemFileMask].Data, "*.txt");
            return static_cast<int>(ItemOk);
        });
        module->Configure(0);
    }
    std::vector<NamedValue> wanted = Defaults();
    wanted[0].value = BinaryValue(std::string(1, '\0'));
    wanted[4].value = DwordValue(72);
    wanted[6].value = StringValue("*.txt");
    ExpectValues(checks, root.SettingsKey(), wanted);

    // The next start of the module reads what the dialog stored.
    const auto again = StartModule(checks, root);
    if (!again) return;
    if (const auto shown = SettingsShown(checks, *again, fake.host))
        ExpectShown(checks, *shown, {{0, 1, 1, 1}, "0", "72", "*.txt"});
}

void CancelledDialogWritesNothing(Checks& checks) {
    ServedFakeHost fake;
    TestRootKey root;
    const auto module = StartModule(checks, root);
    if (!module) return;
    const std::optional<std::uint64_t> writtenBefore = LastWriteTime(root.SettingsKey());
    Sleep(50);
    fake.host.menuAnswers = {kMenuConfigure};
    fake.host.dialogPlays.push_back([&fake](FarDialogItem* items) {
        if (fake.host.dialogs.back().items.size() == DialogItemCount) {
            std::strcpy(items[ItemRIndent].Data, "10");
        }
        return -1;  // Esc
    });
    module->Configure(0);
    ExpectValues(checks, root.SettingsKey(), Defaults());
    checks.Expect(LastWriteTime(root.SettingsKey()) == writtenBefore,
                  "the key was written to although the dialog was cancelled");
}

}  // namespace

TestGroup SettingsTests() {
    return {"settings",
            {
                {"first start writes the seven defaults", FirstStartWritesTheSevenDefaults},
                {"values present are read and not rewritten", ValuesPresentAreReadAndNotRewritten},
                {"wrong-sized values are replaced by defaults", WrongSizedValuesAreReplaced},
                {"values that fit are taken whatever their type", ValuesAreTakenWhateverTheirType},
                {"root key with a trailing backslash", RootKeyWithTrailingBackslash},
                {"confirmed dialog stores all seven", ConfirmedDialogStoresAllSeven},
                {"cancelled dialog writes nothing", CancelledDialogWritesNothing},
            }};
}

}  // namespace win32_tests
