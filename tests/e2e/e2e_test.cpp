// One test per case file below tests/e2e/cases, run through the loaded module.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/case_runner.hpp"

namespace {

const std::string kCaseFolder = MARTEN_SOURCE_DIR "/tests/e2e/cases";

class CaseFile : public ::testing::TestWithParam<std::string> {};

TEST_P(CaseFile, Passes) {
    e2e::RunOptions options;
    options.modulePath = MARTEN_MODULE_PATH;
    const e2e::CaseOutcome outcome = e2e::RunCaseFile(GetParam(), options);
    EXPECT_TRUE(outcome.passed) << outcome.report;
}

// "quote/enter_example" becomes quote_enter_example.
std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = e2e::CaseName(kCaseFolder, info.param);
    for (char& c : name) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, CaseFile, ::testing::ValuesIn(e2e::FindCaseFiles(kCaseFolder)),
                         TestName);

TEST(CaseFolder, HoldsCases) {
    EXPECT_FALSE(e2e::FindCaseFiles(kCaseFolder).empty()) << kCaseFolder;
}

}  // namespace
