// The end-to-end corpus against far2l's face: its module file loaded by the
// host of our own through far2l's interface, keys handed over as far2l
// hands them, the case's settings in the config.ini of a far2l profile of
// the case's own (FARSETTINGS). Every case the Unicode face runs runs here,
// with the Unicode face's own cases (the undo step) and far2l's (its key
// table and its settings file); texts, cursor and answer are compared.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "host/far2l/far2l_plugin.hpp"
#include "host/host.hpp"
#include "host/unicode/unicode_editor.hpp"
#include "tests/e2e/unicode_backend.hpp"

namespace {

namespace fs = std::filesystem;

const std::string kCases = std::string(MARTEN_SOURCE_DIR) + "/tests/e2e/cases";
const std::string kUnicodeCases = std::string(MARTEN_SOURCE_DIR) + "/tests/e2e/cases-unicode";
const std::string kFar2lCases = std::string(MARTEN_SOURCE_DIR) + "/tests/e2e/cases-far2l";

// A far2l profile of the case's own, named by FARSETTINGS as far2l names it
// for `-u`, holding the case's settings; gone again with the case.
class Profile {
public:
    explicit Profile(const e2e::CaseSettings& s) {
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
            << "\nLIndent=" << s.LIndent << "\nFileMask=" << s.FileMask << "\n";
        if (const char* earlier = std::getenv("FARSETTINGS")) earlier_ = earlier;
        ::setenv("FARSETTINGS", folder_.c_str(), 1);
    }
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;
    ~Profile() {
        if (earlier_) {
            ::setenv("FARSETTINGS", earlier_->c_str(), 1);
        } else {
            ::unsetenv("FARSETTINGS");
        }
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

private:
    fs::path folder_;
    std::optional<std::string> earlier_;
};

e2e::CaseOutcome RunThroughFar2lHost(const e2e::Case& c) {
    e2e::CaseOutcome outcome;
    const auto strokes = e2e::CaseStrokes(c, outcome.report);
    if (!strokes) return outcome;
    Profile profile(c.settings);
    host::Host host;
    std::string problem;
    if (!host.LoadModule(MARTEN_FAR2L_MODULE_PATH, &problem)) {
        outcome.report = c.path + ": cannot load the module: " + problem + "\n";
        return outcome;
    }
    if (host.PluginAs<host::Far2lPlugin>() == nullptr) {
        outcome.report = c.path + ": not loaded through far2l's interface\n";
        return outcome;
    }
    engine::Editor editor(e2e::FullFileName(c.fileName), e2e::Document(c, c.before), c.table,
                          c.editor);
    e2e::PlaceCursor(c, editor);
    host.SetEditor(&editor);
    const engine::LineCodec& codec = engine::CodecOf(c.table);
    outcome.report = e2e::TypeAndCompare(c, *strokes, editor, [&](const INPUT_RECORD& record) {
        return host.DispatchUnicode(host::ToUnicodeInput(record, std::nullopt, codec));
    });
    host.SetEditor(nullptr);
    outcome.passed = outcome.report.empty();
    return outcome;
}

// Cases of the other faces that far2l's keys make come out otherwise: far2l
// sends Alt+letter without its letter (cases-far2l/keys has its outcome).
bool OtherwiseInFar2l(const std::string& path) {
    return path == kCases + "/dispatch/alt_letter_reaches_wrap.case";
}

std::vector<std::string> Far2lCases() {
    std::vector<std::string> runnable;
    for (const std::string& path : e2e::FindCaseFiles(kCases)) {
        if (OtherwiseInFar2l(path)) continue;
        std::string error;
        const auto parsed = e2e::LoadCase(path, &error);
        if (!parsed || e2e::RunsAgainstUnicodeFace(*parsed)) runnable.push_back(path);
    }
    for (const std::string& folder : {kUnicodeCases, kFar2lCases}) {
        for (const std::string& path : e2e::FindCaseFiles(folder)) runnable.push_back(path);
    }
    return runnable;
}

class Far2lCaseFile : public testing::TestWithParam<std::string> {};

TEST_P(Far2lCaseFile, PassesThroughTheHost) {
    std::string error;
    const auto parsed = e2e::LoadCase(GetParam(), &error);
    ASSERT_TRUE(parsed) << error;
    const e2e::CaseOutcome outcome = RunThroughFar2lHost(*parsed);
    EXPECT_TRUE(outcome.passed) << outcome.report;
}

std::string TestName(const testing::TestParamInfo<std::string>& info) {
    std::string name = info.param.substr(std::string(MARTEN_SOURCE_DIR).size() + 11);
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Far2lCaseFile, testing::ValuesIn(Far2lCases()), TestName);

TEST(Far2lCorpus, IsNotEmpty) { EXPECT_GE(Far2lCases().size(), 100u); }

}  // namespace
