#include "tests/win32/test_log.hpp"

#include <cstdio>
#include <exception>

namespace win32_tests {

bool Checks::Expect(bool ok, const std::string& what) {
    if (!ok) failures_.push_back(what);
    return ok;
}

void RunGroup(const TestGroup& group, Tally& tally) {
    if (group.cases.empty()) {
        ++tally.failed;
        std::printf("FAIL %s: the group has no cases\n", group.name.c_str());
    }
    for (const TestCase& test : group.cases) {
        Checks checks;
        try {
            test.run(checks);
        } catch (const std::exception& e) {
            checks.Fail(std::string("exception: ") + e.what());
        } catch (...) {
            checks.Fail("unknown exception");
        }
        const std::string name = group.name + "/" + test.name;
        if (checks.Passed()) {
            ++tally.passed;
            std::printf("ok   %s\n", name.c_str());
        } else {
            ++tally.failed;
            std::printf("FAIL %s\n", name.c_str());
            for (const std::string& failure : checks.Failures()) {
                // Multi-line details (diffs) stay indented under the case.
                std::string indented = "    ";
                for (char c : failure) {
                    indented += c;
                    if (c == '\n') indented += "    ";
                }
                std::printf("%s\n", indented.c_str());
            }
        }
        std::fflush(stdout);
    }
    if (group.cleanup) group.cleanup();
}

std::string HexBytes(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : bytes) {
        if (!text.empty()) text += ',';
        text += digits[byte >> 4];
        text += digits[byte & 0xF];
    }
    return text.empty() ? "(no bytes)" : text;
}

}  // namespace win32_tests
