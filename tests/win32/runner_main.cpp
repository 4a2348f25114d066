// The Win32 test runner: loads the real marten.dll under wine (or Windows)
// and runs the raw-interface, settings, end-to-end and fatal-report groups;
// then the Unicode face's Marten.dll with its end-to-end and settings groups.
//
//   runner                 every group
//   runner GROUP...        the named groups (abi, settings, cases, fatal,
//                          unicode_cases, unicode_settings)
//   runner --child NAME    the child side of a fatal-report case
//
// Prints one line per case and closes with "N passed, N failed"; the exit
// code is 1 when any case failed or a group name is unknown.
#include <fcntl.h>
#include <io.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/win32/groups.hpp"

using namespace win32_tests;

namespace {

// A crash in the module ends the runner with a line saying so, instead of
// wine's debugger, so that the failure shows in the test log.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    std::printf("CRASH exception %08lX at %p\n",
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                info->ExceptionRecord->ExceptionAddress);
    std::fflush(stdout);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    // Plain "\n" on stdout: the closing line is read by scripts.
    _setmode(_fileno(stdout), _O_BINARY);
    // No error boxes: a crash must end the process, not wait for a click.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);

    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--child") return RunFatalChild(args[1]);

    const std::vector<TestGroup> groups = {
        AbiTests(),   SettingsTests(),        CaseFileTests(),
        FatalTests(), UnicodeCaseFileTests(), UnicodeSettingsTests()};
    Tally tally;
    bool unknown = false;
    for (const std::string& name : args) {
        bool found = false;
        for (const TestGroup& group : groups) found = found || group.name == name;
        if (!found) {
            std::printf("unknown group '%s'\n", name.c_str());
            unknown = true;
        }
    }
    for (const TestGroup& group : groups) {
        bool chosen = args.empty();
        for (const std::string& name : args) chosen = chosen || group.name == name;
        if (chosen) RunGroup(group, tally);
    }
    std::printf("%d passed, %d failed\n", tally.passed, tally.failed);
    return tally.failed == 0 && !unknown ? 0 : 1;
}
