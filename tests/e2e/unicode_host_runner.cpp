#include "tests/e2e/unicode_host_runner.hpp"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <type_traits>

#include "engine/codepage.hpp"
#include "engine/text16.hpp"
#include "host/host.hpp"
#include "host/scripted_ui.hpp"
#include "host/unicode/unicode_editor.hpp"
#include "host/unicode/unicode_plugin.hpp"
#include "host/unicode/unicode_settings_store.hpp"
#include "module/unicode/guids.hpp"
#include "tests/e2e/unicode_backend.hpp"

namespace e2e {

namespace {

namespace fs = std::filesystem;

// A settings folder of the case's own for the host's store, found through
// MARTEN_SETTINGS, and gone again with the case.
class SettingsFolder {
public:
    SettingsFolder() {
        static int made = 0;
        folder_ = fs::temp_directory_path() / ("marten-e2e-unicode-" + std::to_string(::getpid()) +
                                               "-" + std::to_string(++made));
        std::error_code ec;
        fs::remove_all(folder_, ec);
        if (const char* earlier = std::getenv("MARTEN_SETTINGS")) earlier_ = earlier;
        ::setenv("MARTEN_SETTINGS", folder_.c_str(), 1);
    }
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;
    ~SettingsFolder() {
        if (earlier_) {
            ::setenv("MARTEN_SETTINGS", earlier_->c_str(), 1);
        } else {
            ::unsetenv("MARTEN_SETTINGS");
        }
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

private:
    fs::path folder_;
    std::optional<std::string> earlier_;
};

// Writes the seven settings into the host's store under the face's identity,
// with the types the face reads back, as a user's earlier session would have.
bool StoreUnicodeSettings(const CaseSettings& s, std::string* problem) {
    const unicode_api::GUID& plugin = marten::unicode::kPluginGuid;
    host::SettingsStore store(plugin);
    unicode_api::FarSettingsCreate create{sizeof create, plugin, nullptr};
    if (store.Control(nullptr, unicode_api::SCTL_CREATE, unicode_api::PSL_ROAMING, &create) == 0) {
        *problem = "the host's settings store cannot be opened";
        return false;
    }
    const auto set = [&](const char16_t* name, unicode_api::FARSETTINGSTYPES type, auto value) {
        unicode_api::FarSettingsItem item{sizeof item, 0, name, type, {}};
        if constexpr (std::is_same_v<decltype(value), std::uint64_t>) {
            item.Number = value;
        } else {
            item.String = value;
        }
        if (store.Control(create.Handle, unicode_api::SCTL_SET, 0, &item) != 0) return true;
        *problem = "the host's settings store refuses the setting " + engine::Utf16ToUtf8(name);
        return false;
    };
    const auto flag = [&](const char16_t* name, unsigned char on) {
        return set(name, unicode_api::FST_QWORD, std::uint64_t{on});
    };
    const auto margin = [&](const char16_t* name, int value) {
        return set(name, unicode_api::FST_QWORD, static_cast<std::uint64_t>(std::int64_t{value}));
    };
    const std::u16string mask = engine::Utf8ToUtf16(s.FileMask);
    const bool stored =
        flag(u"EnableQuote", s.EnableQuote) && flag(u"EnableAutoWrap", s.EnableAutoWrap) &&
        flag(u"EnableAutoIndent", s.EnableAutoIndent) &&
        flag(u"EnableHPChange", s.EnableHPChange) && margin(u"RIndent", s.RIndent) &&
        margin(u"LIndent", s.LIndent) && set(u"FileMask", unicode_api::FST_STRING, mask.c_str()) &&
        flag(u"Balanced", s.Balanced);
    store.Control(create.Handle, unicode_api::SCTL_FREE, 0, nullptr);
    if (stored && !fs::exists(store.FilePath(unicode_api::PSL_ROAMING))) {
        *problem = "the host's settings store wrote no file";
        return false;
    }
    return stored;
}

}  // namespace

std::string CompareMessages(const Case& c, const std::vector<host::MessageCall>& shown) {
    std::vector<std::string> lines;
    for (const host::MessageCall& call : shown) {
        for (const std::optional<std::string>& item : call.items)
            lines.push_back(engine::ToUtf8(engine::CodePage::Oem866, item.value_or("")));
    }
    const std::vector<std::string> expected = c.messages.value_or(std::vector<std::string>{});
    if (lines == expected) return "";
    std::string report = c.path + ": the messages differ (- expected, + actual)\n";
    for (const std::string& line : expected) report += "-" + line + "\n";
    for (const std::string& line : lines) report += "+" + line + "\n";
    return report;
}

CaseOutcome TypeCaseThroughHost(const Case& c, const std::string& modulePath,
                                bool (*speaks)(host::Host&), const std::string& notSpoken) {
    CaseOutcome outcome;
    const auto strokes = CaseStrokes(c, outcome.report);
    if (!strokes) return outcome;
    const auto fail = [&](const std::string& why) {
        outcome.report = c.path + ": " + why + "\n";
        return outcome;
    };
    host::Host host;
    host::ScriptedUi user;  // answers every message at once, and records it
    host.SetUi(&user);
    std::string problem;
    if (!host.LoadModule(modulePath, &problem)) return fail("cannot load the module: " + problem);
    if (!speaks(host)) return fail(modulePath + ": " + notSpoken);

    engine::Editor editor(FullFileName(c.fileName), Document(c, c.before), c.table, c.editor);
    PlaceCursor(c, editor);
    host.SetEditor(&editor);
    // A typed character reaches the host as the console gives it to a 3.x
    // host, as itself in UnicodeChar.
    const engine::LineCodec& codec = engine::CodecOf(c.table);
    const std::string report = TypeAndCompare(c, *strokes, editor, [&](const INPUT_RECORD& record) {
        return host.DispatchUnicode(host::ToUnicodeInput(record, std::nullopt, codec));
    });
    host.SetEditor(nullptr);
    outcome.report = report + CompareMessages(c, user.messages);
    outcome.passed = outcome.report.empty();
    return outcome;
}

CaseOutcome RunCaseThroughHost(const Case& c, const std::string& modulePath) {
    SettingsFolder folder;
    std::string problem;
    if (!StoreUnicodeSettings(c.settings, &problem)) {
        CaseOutcome outcome;
        outcome.report = c.path + ": " + problem + "\n";
        return outcome;
    }
    return TypeCaseThroughHost(
        c, modulePath,
        [](host::Host& host) { return host.PluginAs<host::UnicodePlugin>() != nullptr; },
        "not a plug-in of the Unicode interface");
}

}  // namespace e2e
