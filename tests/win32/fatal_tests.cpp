// The fatal error report of marten.dll under the real Windows services: the
// runner starts itself as a child whose module may use only a few bytes of
// heap (MARTEN_HEAP_LIMIT), types at the end of a long line, and checks that
// the process ends with exit code 203 and the report on its stderr, byte for
// byte. The same child without the limit shows that the typing alone is fine.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/editor.hpp"
#include "host/host.hpp"
#include "host/key_script.hpp"
#include "tests/win32/child_process.hpp"
#include "tests/win32/groups.hpp"
#include "tests/win32/loaded_module.hpp"
#include "tests/win32/test_registry.hpp"

namespace win32_tests {

namespace {

constexpr const char* kTypeAtLongLine = "type-at-long-line";
constexpr const char* kRootKeyVariable = "MARTEN_TEST_ROOT_KEY";
constexpr const char* kStartedMark = "module started\n";
constexpr const char* kSurvivedMark = "survived, lines ";

// Room for the settings, far too little for a copy of the long line.
constexpr const char* kSmallHeap = "1024";

// A quoted line of 3000 characters, words and blanks: well past the margin.
std::string LongLine() {
    std::string line = " AB> ";
    while (line.size() < 3000) line += "word ";
    return line;
}

bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Checks the report of a failed request for memory from the loading thread.
void ExpectReport203(Checks& checks, const std::string& report) {
    const std::string head = "\r\nWarning! Please report to ";
    const std::string found = "!!!\r\nFound bug number 203 at ";
    const std::string tail = " TID=1.\r\n";
    checks.Expect(report.compare(0, head.size(), head) == 0,
                  "the report does not begin with CR LF \"Warning! Please report to \"");
    const std::size_t at = report.find(found);
    if (checks.Expect(at != std::string::npos && at > head.size(),
                      "no \"<address>!!!\" CR LF \"Found bug number 203 at \" in the report")) {
        // An address is as wide as a pointer: 8 digits in x86, 16 in x64.
        constexpr std::size_t width = 2 * sizeof(void*);
        const std::string wide = std::to_string(width);
        const std::size_t digits = at + found.size();
        bool hex = report.size() >= digits + width;
        for (std::size_t i = digits; hex && i < digits + width; ++i)
            hex = IsUpperHexDigit(report[i]);
        checks.Expect(hex, "the failure address is not " + wide + " upper-case hexadecimal digits");
        if (hex && report.size() > digits + width) {
            const char next = report[digits + width];
            checks.Expect(next == ' ', "the address is longer than " + wide + " digits");
        }
    }
    checks.Expect(report.size() >= tail.size() &&
                      report.compare(report.size() - tail.size(), tail.size(), tail) == 0,
                  "the report does not end with \" TID=1.\" CR LF");
    checks.Expect(report.find('\0') == std::string::npos, "the report holds a zero byte");
    checks.Expect(report.size() <= 255, "the report is longer than 255 bytes");
    checks.Expect(report.find("\r\n", head.size()) == at + 3,
                  "the report has more than its two line breaks before the number");
}

std::string Quoted(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            text += hex;
        } else
            text += static_cast<char>(c);
    }
    return "\"" + text + "\"";
}

void UnmetRequestWhileTypingEndsWith203(Checks& checks) {
    TestRootKey root;
    const ChildOutcome child = RunChild(
        kTypeAtLongLine, {{"MARTEN_HEAP_LIMIT", kSmallHeap}, {kRootKeyVariable, root.RootKey()}});
    if (!checks.Expect(child.started, child.problem)) return;
    checks.Expect(!child.hung, child.err.empty()
                                   ? "the child did not end within 30 seconds"
                                   : "the report was written, but ExitProcess did not end the "
                                     "process within 30 seconds");
    checks.Expect(
        child.out.find(kStartedMark) != std::string::npos,
        "the module did not start in the child: " + Quoted(child.out) + Quoted(child.err));
    checks.Expect(child.out.find(kSurvivedMark) == std::string::npos,
                  "the typing did not end the process: " + Quoted(child.out));
    checks.Expect(child.exitCode == 203, "exit code " + std::to_string(child.exitCode) +
                                             ", expected 203; stderr " + Quoted(child.err));
    ExpectReport203(checks, child.err);
}

void WithoutTheLimitTheSameTypingWraps(Checks& checks) {
    TestRootKey root;
    const ChildOutcome child = RunChild(
        kTypeAtLongLine, {{"MARTEN_HEAP_LIMIT", std::nullopt}, {kRootKeyVariable, root.RootKey()}});
    if (!checks.Expect(child.started, child.problem)) return;
    checks.Expect(!child.hung, "the child did not end within 30 seconds");
    checks.Expect(child.exitCode == 0,
                  "exit code " + std::to_string(child.exitCode) + "; stderr " + Quoted(child.err));
    checks.Expect(child.err.empty(), "the module wrote to stderr: " + Quoted(child.err));
    const std::size_t mark = child.out.find(kSurvivedMark);
    if (checks.Expect(mark != std::string::npos,
                      "the child did not finish: " + Quoted(child.out))) {
        const int lines = std::atoi(child.out.c_str() + mark + std::string(kSurvivedMark).size());
        checks.Expect(lines > 1,
                      "the long line was not wrapped (" + std::to_string(lines) + " line)");
    }
}

// The child: loads the module into our host, types one letter at the end
// of the long line and tells how many lines the editor holds afterwards.
int TypeAtLongLine() {
    const char* rootKey = std::getenv(kRootKeyVariable);
    host::HostOptions options;
    if (rootKey != nullptr) options.rootKey = rootKey;
    host::Host host(options);
    std::string error;
    if (!host.LoadModule(ModulePath(), &error)) {
        std::printf("cannot load the module: %s\n", error.c_str());
        return 2;
    }
    std::printf("%s", kStartedMark);
    std::fflush(stdout);

    const std::string line = LongLine();
    host::Editor editor("Z:\\fido\\reply.msg", line + "\r\n");
    host.SetEditor(&editor);
    editor.SetCursor(0, static_cast<int>(line.size()));
    const auto strokes = host::ParseKeyScript("x", &error);
    if (!strokes || strokes->size() != 1) {
        std::printf("bad key script: %s\n", error.c_str());
        return 2;
    }
    host.Dispatch(host::KeyDownRecord(strokes->front()));
    host.Dispatch(host::KeyUpRecord(strokes->front()));
    std::printf("%s%d\n", kSurvivedMark, editor.LineCount());
    std::fflush(stdout);
    return 0;
}

}  // namespace

TestGroup FatalTests() {
    return {"fatal",
            {
                {"an unmet request while typing ends the process with 203 and the report",
                 UnmetRequestWhileTypingEndsWith203},
                {"without the heap limit the same typing wraps the line",
                 WithoutTheLimitTheSameTypingWraps},
            }};
}

int RunFatalChild(const std::string& scenario) {
    if (scenario == kTypeAtLongLine) return TypeAtLongLine();
    std::printf("unknown child scenario '%s'\n", scenario.c_str());
    return 2;
}

}  // namespace win32_tests
