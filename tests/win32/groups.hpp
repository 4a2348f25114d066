// The groups of the Win32 runner, each in a file of its own.
#pragma once

#include "tests/win32/test_log.hpp"

namespace win32_tests {

TestGroup AbiTests();              // the raw interface of marten.dll under the Windows loader
TestGroup SettingsTests();         // the settings store against wine's registry
TestGroup CaseFileTests();         // the end-to-end case files through the host library
TestGroup FatalTests();            // the fatal error report, in child processes
TestGroup UnicodeCaseFileTests();  // the case files against the Unicode face's Marten.dll
TestGroup UnicodeSettingsTests();  // its settings store and the takeover from the registry

// The child side of the fatal tests; answers the exit code for main.
int RunFatalChild(const std::string& scenario);

}  // namespace win32_tests
