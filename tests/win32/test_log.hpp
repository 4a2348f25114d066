// The Win32 runner's own small test frame (there is no GoogleTest for MinGW
// on Debian): named cases grouped by concern, one line per case on stdout,
// and the closing line "N passed, N failed".
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace win32_tests {

// What one case found wrong; a case passes when it records nothing.
class Checks {
public:
    // Records `what` as a failure unless `ok` holds; returns `ok`.
    bool Expect(bool ok, const std::string& what);
    void Fail(const std::string& what) { failures_.push_back(what); }
    bool Passed() const { return failures_.empty(); }
    const std::vector<std::string>& Failures() const { return failures_; }

private:
    std::vector<std::string> failures_;
};

struct TestCase {
    std::string name;
    std::function<void(Checks&)> run;
};

struct TestGroup {
    std::string name;  // selects the group on the command line
    std::vector<TestCase> cases;
    std::function<void()> cleanup;  // runs after the last case, if set
};

struct Tally {
    int passed = 0;
    int failed = 0;
};

// Runs every case of the group, prints "ok   group/name" or "FAIL group/name"
// with the failures indented below it, and counts them into `tally`. An
// exception that escapes a case fails that case only. A group without cases
// fails: a suite that silently finds nothing to run must not pass.
void RunGroup(const TestGroup& group, Tally& tally);

// Bytes as they would be written in a .reg file ("01,00,4e"), for messages.
std::string HexBytes(const std::string& bytes);

}  // namespace win32_tests
