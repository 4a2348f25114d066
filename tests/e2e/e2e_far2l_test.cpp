// The end-to-end corpus against far2l's face: its module file loaded by the
// host of our own through far2l's interface, keys handed over as far2l
// hands them, the case's settings in the config.ini of a far2l profile of
// the case's own (FARSETTINGS). Every case the Unicode face runs runs here,
// with the Unicode face's own cases (the undo step) and far2l's (its key
// table and its settings file); texts, cursor and answer are compared.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/far2l_host_runner.hpp"
#include "tests/e2e/unicode_backend.hpp"

namespace {

const std::string kCases = std::string(MARTEN_SOURCE_DIR) + "/tests/e2e/cases";
const std::string kUnicodeCases = std::string(MARTEN_SOURCE_DIR) + "/tests/e2e/cases-unicode";
const std::string kFar2lCases = std::string(MARTEN_SOURCE_DIR) + "/tests/e2e/cases-far2l";

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
    const e2e::CaseOutcome outcome =
        e2e::RunCaseThroughFar2lHost(*parsed, MARTEN_FAR2L_MODULE_PATH);
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
