// The fatal error report as the host's process meets it: a child process
// sets MARTEN_HEAP_LIMIT, loads the real module through the host and types;
// when the module's heap cannot meet a request, the whole process ends with
// exit code 203 and the report on its stderr.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "host/editor.hpp"
#include "host/host.hpp"
#include "host/key_script.hpp"
#include "tests/support/child_process.hpp"

namespace {

namespace fs = std::filesystem;
using testsupport::ChildOutcome;
// The module is loaded only in children, so each one reads the heap limit
// afresh as the module loads.
using testsupport::RunInChild;

// A quoted line of 3000 characters: typing at its end wraps it, which needs
// copies of the line.
std::string LongQuotedLine() {
    std::string line = " AB> ";
    while (line.size() < 3000) line += "word ";
    return line;
}

class FatalReportEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/marten-runtime-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    // In the child: the limit (null for none), then the host, the module and
    // one typed letter at the end of the long line of reply.msg.
    void TypeAtTheEndOfALongLine(const char* limit) {
        ::setenv("MARTEN_REGISTRY", (folder_ / "registry.reg").c_str(), 1);
        if (limit) ::setenv("MARTEN_HEAP_LIMIT", limit, 1); else ::unsetenv("MARTEN_HEAP_LIMIT");
        host::Host host;
        std::string error;
        if (!host.LoadModule(MARTEN_MODULE_PATH, &error)) ::_exit(100);
        const std::string line = LongQuotedLine();
        host::Editor editor("reply.msg", line + "\r\n");
        editor.SetCursor(0, static_cast<int>(line.size()));
        host.SetEditor(&editor);
        host::KeyStroke letter{0x58, 0, 'x'};
        host.Dispatch(host::KeyDownRecord(letter));
        host.Dispatch(host::KeyUpRecord(letter));
        if (editor.LineCount() < 2) ::_exit(101);  // the line was not wrapped
    }

    fs::path folder_;
};

void ExpectReport203(const ChildOutcome& outcome) {
    EXPECT_EQ(outcome.exitCode, 203) << outcome.stderrBytes;
    const std::string& report = outcome.stderrBytes;
    EXPECT_LE(report.size(), 255u);
    EXPECT_EQ(report.find('\0'), std::string::npos);
    const std::regex shape(
        "\r\nWarning! Please report to 2:5020/9999!!!\r\n"
        "Found bug number 203 at [0-9A-F]{8}( \\([^/\\\\()]+#[0-9]+\\))? TID=1\\.\r\n");
    EXPECT_TRUE(std::regex_match(report, shape)) << report;
}

TEST_F(FatalReportEndToEnd, TypingWithoutALimitWrapsTheLine) {
    const ChildOutcome outcome = RunInChild([this] { TypeAtTheEndOfALongLine(nullptr); });
    EXPECT_EQ(outcome.exitCode, 0) << outcome.stderrBytes;
    EXPECT_EQ(outcome.stderrBytes, "");
}

TEST_F(FatalReportEndToEnd, TypingAtALongLineWithASmallHeapEndsTheProcessWith203) {
    const ChildOutcome outcome = RunInChild([this] { TypeAtTheEndOfALongLine("1024"); });
    ExpectReport203(outcome);
}

TEST_F(FatalReportEndToEnd, NoHeapAtAllEndsTheStartWith203) {
    // Forming the settings key already needs a block of the heap.
    const ChildOutcome outcome = RunInChild([this] { TypeAtTheEndOfALongLine("0"); });
    ExpectReport203(outcome);
}

}  // namespace
