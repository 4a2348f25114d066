// The end-to-end case files, the same that the native tests run, here through
// the host library built for Win32 and the real marten.dll: every key goes
// through the __stdcall exports and services, and the settings through
// wine's registry.
#include <windows.h>

#include "tests/e2e/case_runner.hpp"
#include "tests/win32/groups.hpp"
#include "tests/win32/loaded_module.hpp"

namespace win32_tests {

namespace {

const std::string kCaseFolder = MARTEN_SOURCE_DIR "/tests/e2e/cases";

std::string CasesRootKey() {
    return "Software\\MartenWin32Tests\\Cases-" + std::to_string(GetCurrentProcessId());
}

}  // namespace

TestGroup CaseFileTests() {
    TestGroup group{"cases", {}, [] {
                        RegDeleteTreeA(HKEY_CURRENT_USER, CasesRootKey().c_str());
                        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\MartenWin32Tests");
                    }};
    for (const std::string& path : e2e::FindCaseFiles(kCaseFolder)) {
        group.cases.push_back({e2e::CaseName(kCaseFolder, path), [path](Checks& checks) {
                                   e2e::RunOptions options;
                                   options.modulePath = ModulePath();
                                   options.rootKeyBase = CasesRootKey();
                                   const e2e::CaseOutcome outcome =
                                       e2e::RunCaseFile(path, options);
                                   if (!outcome.passed) checks.Fail(outcome.report);
                               }});
    }
    return group;
}

}  // namespace win32_tests
