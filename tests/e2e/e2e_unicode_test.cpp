// The end-to-end corpus against the module's Unicode face: one test per case
// file whose table the face can run (code-page cases run against the ANSI
// face only), so a new case file needs no rebuild. Each case runs twice: the
// face linked in, through the host's Unicode editor with a stand-in settings
// store (what the Windows runner does with the DLL), and its module file
// loaded by the host of our own, with the host's settings store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/unicode_backend.hpp"
#include "tests/e2e/unicode_host_runner.hpp"

namespace {

const std::string kCases = std::string(MARTEN_SOURCE_DIR) + "/tests/e2e/cases";
// Cases of the Unicode face's own behaviour, where it differs from the ANSI face's.
const std::string kUnicodeCases = std::string(MARTEN_SOURCE_DIR) + "/tests/e2e/cases-unicode";

std::vector<std::string> UnicodeCases() {
    std::vector<std::string> runnable;
    for (const std::string& path : e2e::FindCaseFiles(kCases)) {
        std::string error;
        const auto parsed = e2e::LoadCase(path, &error);
        // A case that does not parse is kept, so that its test reports why.
        if (!parsed || e2e::RunsAgainstUnicodeFace(*parsed)) runnable.push_back(path);
    }
    for (const std::string& path : e2e::FindCaseFiles(kUnicodeCases)) runnable.push_back(path);
    return runnable;
}

class UnicodeCaseFile : public testing::TestWithParam<std::string> {};

TEST_P(UnicodeCaseFile, Passes) {
    std::string error;
    const auto parsed = e2e::LoadCase(GetParam(), &error);
    ASSERT_TRUE(parsed) << error;
    const e2e::CaseOutcome outcome =
        e2e::RunCaseUnicode(*parsed, {&SetStartupInfoW, &ProcessEditorInputW});
    EXPECT_TRUE(outcome.passed) << outcome.report;
}

TEST_P(UnicodeCaseFile, PassesThroughTheHost) {
    std::string error;
    const auto parsed = e2e::LoadCase(GetParam(), &error);
    ASSERT_TRUE(parsed) << error;
    const e2e::CaseOutcome outcome = e2e::RunCaseThroughHost(*parsed, MARTEN_UNICODE_MODULE_PATH);
    EXPECT_TRUE(outcome.passed) << outcome.report;
}

std::string TestName(const testing::TestParamInfo<std::string>& info) {
    const bool own = info.param.compare(0, kUnicodeCases.size(), kUnicodeCases) == 0;
    std::string name =
        (own ? "unicode/" : "") + e2e::CaseName(own ? kUnicodeCases : kCases, info.param);
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, UnicodeCaseFile, testing::ValuesIn(UnicodeCases()), TestName);

// A face that opens an undo bracket on every key-down and never closes it,
// and consumes the key without changing the text.
const unicode_api::PluginStartupInfo* faultyHost = nullptr;
void WINAPI FaultySetStartupInfo(const unicode_api::PluginStartupInfo* info) { faultyHost = info; }
std::intptr_t WINAPI FaultyProcessEditorInput(const unicode_api::ProcessEditorInputInfo* info) {
    if (!info->Rec.Event.KeyEvent.bKeyDown) return 0;
    unicode_api::EditorUndoRedo open{sizeof open, unicode_api::EUR_BEGIN};
    faultyHost->EditorControl(-1, unicode_api::ECTL_UNDOREDO, 0, &open);
    return 1;
}

TEST(UnicodeRunner, ReportsAFaceThatLeavesABracketOpenOrAnswersWrongly) {
    std::string error;
    const auto parsed = e2e::ParseCase("keys: x\n--- before\nab\n--- after\nabx\n--- answer\n0\n",
                                       "/t/cases-unicode/faulty.case", &error);
    ASSERT_TRUE(parsed) << error;
    const e2e::CaseOutcome outcome =
        e2e::RunCaseUnicode(*parsed, {&FaultySetStartupInfo, &FaultyProcessEditorInput});
    EXPECT_FALSE(outcome.passed);
    EXPECT_EQ(
        outcome.report,
        "/t/cases-unicode/faulty.case:4: the text after the keys differs (- expected, + actual)\n"
        "-abx\n+ab\n"
        "/t/cases-unicode/faulty.case: the Unicode face answered 1 to the last key-down, expected "
        "0\n"
        "/t/cases-unicode/faulty.case: the Unicode face left its undo brackets unbalanced\n");
}

TEST(UnicodeCorpus, IsNotEmpty) {
    // A corpus that went missing must not pass as an empty suite.
    EXPECT_GE(UnicodeCases().size(), 100u);
}

}  // namespace
