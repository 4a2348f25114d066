#include "tests/e2e/far2l_host_runner.hpp"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "host/far2l/far2l_plugin.hpp"
#include "host/host.hpp"
#include "host/scripted_ui.hpp"
#include "host/unicode/unicode_editor.hpp"
#include "tests/e2e/unicode_backend.hpp"
#include "tests/e2e/unicode_host_runner.hpp"

namespace e2e {

namespace fs = std::filesystem;

Far2lProfile::Far2lProfile(const CaseSettings& s) {
    static int made = 0;
    folder_ = fs::temp_directory_path() /
              ("marten-e2e-far2l-" + std::to_string(::getpid()) + "-" + std::to_string(++made));
    const fs::path ini = folder_ / ".config/plugins/marten/config.ini";
    fs::create_directories(ini.parent_path());
    std::ofstream(ini, std::ios::binary)
        << "[Settings]\nEnableQuote=" << int{s.EnableQuote}
        << "\nEnableAutoWrap=" << int{s.EnableAutoWrap}
        << "\nEnableAutoIndent=" << int{s.EnableAutoIndent}
        << "\nEnableHPChange=" << int{s.EnableHPChange} << "\nRIndent=" << s.RIndent
        << "\nLIndent=" << s.LIndent << "\nFileMask=" << s.FileMask
        << "\nBalanced=" << int{s.Balanced} << "\n";
    if (const char* earlier = std::getenv("FARSETTINGS")) earlier_ = earlier;
    ::setenv("FARSETTINGS", folder_.c_str(), 1);
}

Far2lProfile::~Far2lProfile() {
    if (earlier_) {
        ::setenv("FARSETTINGS", earlier_->c_str(), 1);
    } else {
        ::unsetenv("FARSETTINGS");
    }
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

CaseOutcome RunCaseThroughFar2lHost(const Case& c, const std::string& modulePath) {
    CaseOutcome outcome;
    const auto strokes = CaseStrokes(c, outcome.report);
    if (!strokes) return outcome;
    Far2lProfile profile(c.settings);
    host::Host host;
    host::ScriptedUi user;  // answers every message at once, and records it
    host.SetUi(&user);
    std::string problem;
    if (!host.LoadModule(modulePath, &problem)) {
        outcome.report = c.path + ": cannot load the module: " + problem + "\n";
        return outcome;
    }
    if (host.PluginAs<host::Far2lPlugin>() == nullptr) {
        outcome.report = c.path + ": not loaded through far2l's interface\n";
        return outcome;
    }
    engine::Editor editor(FullFileName(c.fileName), Document(c, c.before), c.table, c.editor);
    PlaceCursor(c, editor);
    host.SetEditor(&editor);
    const engine::LineCodec& codec = engine::CodecOf(c.table);
    const std::string report = TypeAndCompare(c, *strokes, editor, [&](const INPUT_RECORD& record) {
        return host.DispatchUnicode(host::ToUnicodeInput(record, std::nullopt, codec));
    });
    host.SetEditor(nullptr);
    outcome.report = report + CompareMessages(c, user.messages);
    outcome.passed = outcome.report.empty();
    return outcome;
}

}  // namespace e2e
