// The raw interface of marten.dll as the Windows loader and the file manager
// see it: every export pops its own arguments (__stdcall), the records are
// read and filled at the host's offsets, and the services are called with the
// host's module number and only when the host's record reaches them.
#include <algorithm>
#include <cstring>

#include "tests/win32/fake_host_record.hpp"
#include "tests/win32/groups.hpp"
#include "tests/win32/loaded_module.hpp"
#include "tests/win32/test_registry.hpp"

namespace win32_tests {

namespace {

#if defined(__i386__)
// Calls `function` with the 32-bit arguments pushed right to left and
// answers how far the stack pointer moved over the call: 0 when the callee
// popped its arguments, as __stdcall does; 4 per argument when it left them
// for the caller (__cdecl). The stack pointer is restored either way.
int StackBytesLeftByCall(void* function, const DWORD* arguments, int count) {
    int left = 0;
    asm volatile(
        "movl %%esp, %%esi\n\t"
        "movl %[count], %%ecx\n\t"
        "1:\n\t"
        "testl %%ecx, %%ecx\n\t"
        "jz 2f\n\t"
        "pushl -4(%[arguments],%%ecx,4)\n\t"
        "decl %%ecx\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "call *%[function]\n\t"
        "movl %%esi, %%eax\n\t"
        "subl %%esp, %%eax\n\t"
        "movl %%esi, %%esp\n\t"
        : "=a"(left)
        : [function] "b"(function), [arguments] "D"(arguments), [count] "m"(count)
        : "ecx", "edx", "esi", "memory", "cc");
    return left;
}

DWORD Arg(const void* pointer) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(pointer)); }

void EveryExportPopsItsArguments(Checks& checks) {
    TestRootKey root;
    ServedFakeHost fake;
    LoadedModule module;
    if (!checks.Expect(module.Loaded(), module.Error())) return;
    FakeStartupRecord startup(root.RootKey());
    PluginInfo info{};
    INPUT_RECORD focus{};
    focus.EventType = FOCUS_EVENT;

    struct Call {
        const char* name;
        DWORD arguments[2];
        int count;
    };
    const Call calls[] = {
        {"SetStartupInfo", {Arg(&startup.info)}, 1},
        {"GetPluginInfo", {Arg(&info)}, 1},
        {"ProcessEditorInput", {Arg(&focus)}, 1},
        {"Configure", {0}, 1},  // the fake's menu: the user leaves
        {"OpenPlugin", {OPEN_EDITOR, 0}, 2},
    };
    for (const Call& call : calls) {
        void* address = module.Address(call.name);
        if (!checks.Expect(address != nullptr, std::string("no export ") + call.name)) continue;
        const int left = StackBytesLeftByCall(address, call.arguments, call.count);
        checks.Expect(left == 0, std::string(call.name) + " left " + std::to_string(left) +
                                     " bytes of arguments on the stack (not __stdcall)");
    }
}
#endif  // The x64 ABI has one calling convention: the caller always cleans up.

void PluginInfoIsFilledAtTheHostsOffsets(Checks& checks) {
    TestRootKey root;
    ServedFakeHost fake;
    LoadedModule module;
    if (!checks.Expect(module.Loaded(), module.Error())) return;
    FakeStartupRecord startup(root.RootKey());
    module.SetStartupInfo(&startup.info);

    const char* const diskStrings[] = {"disk"};
    int diskNumbers[] = {3};
    for (int round = 0; round < 2; ++round) {
        PluginInfo info;
        std::memset(&info, 0xAB, sizeof info);
        info.DiskMenuStrings = diskStrings;
        info.DiskMenuNumbers = diskNumbers;
        module.GetPluginInfo(&info);
        const std::string title = FakeMessage(7);  // MPluginTitle
        // 40 in the i686 build (pinned by api/ansi_abi_checks.cpp), 72 in the x64 one.
        checks.Expect(info.StructSize == sizeof(PluginInfo),
                      "StructSize " + std::to_string(info.StructSize));
        checks.Expect(info.Flags == (PF_DISABLEPANELS | PF_EDITOR),
                      "Flags " + std::to_string(info.Flags));
        checks.Expect(info.DiskMenuStrings == diskStrings && info.DiskMenuNumbers == diskNumbers,
                      "the disk menu fields were changed");
        checks.Expect(info.DiskMenuStringsNumber == 0, "DiskMenuStringsNumber not 0");
        checks.Expect(info.PluginMenuStringsNumber == 1 && info.PluginMenuStrings != nullptr &&
                          info.PluginMenuStrings[0] != nullptr &&
                          title == info.PluginMenuStrings[0],
                      "the plug-in menu does not hold the one entry '" + title + "'");
        checks.Expect(info.PluginConfigStringsNumber == 1 &&
                          info.PluginConfigStrings == info.PluginMenuStrings,
                      "the configuration list is not the plug-in menu's list");
        checks.Expect(info.CommandPrefix == nullptr, "CommandPrefix is set");
    }
    checks.Expect(
        std::count(fake.host.moduleNumbers.begin(), fake.host.moduleNumbers.end(),
                   kFakeModuleNumber) == static_cast<long>(fake.host.moduleNumbers.size()),
        "a service was called with another module number than the host's");
}

void LongerStartupRecordIsCutToTheKnownPart(Checks& checks) {
    TestRootKey root;
    ServedFakeHost fake;
    LoadedModule module;
    if (!checks.Expect(module.Loaded(), module.Error())) return;
    FakeStartupRecord startup(root.RootKey(), 400);
    std::memset(startup.tail, 0xCD, sizeof startup.tail);  // fields of a later host
    module.SetStartupInfo(&startup.info);
    PluginInfo info{};
    module.GetPluginInfo(&info);
    checks.Expect(info.PluginMenuStringsNumber == 1 && info.PluginMenuStrings != nullptr &&
                      FakeMessage(7) == info.PluginMenuStrings[0],
                  "GetPluginInfo does not work after a 400-byte startup record");
    checks.Expect(ReadValue(root.SettingsKey(), "RIndent") == DwordValue(78),
                  "the settings were not stored below the record's RootKey");
}

void ServicesBeyondAShortRecordAreNeverCalled(Checks& checks) {
    TestRootKey root;
    ServedFakeHost fake;
    LoadedModule module;
    if (!checks.Expect(module.Loaded(), module.Error())) return;
    // 300 bytes reach GetMsg (284) but neither CmpName (320) nor EditorControl (332).
    FakeStartupRecord startup(root.RootKey(), 300);
    module.SetStartupInfo(&startup.info);

    INPUT_RECORD key{};
    key.EventType = KEY_EVENT;
    key.Event.KeyEvent.bKeyDown = TRUE;
    key.Event.KeyEvent.wRepeatCount = 1;
    key.Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
    key.Event.KeyEvent.uChar.AsciiChar = '\r';
    checks.Expect(module.ProcessEditorInput(&key) == 0, "Enter was consumed");
    checks.Expect(fake.host.calls.empty() && fake.host.comparisons.empty(),
                  "a service beyond the record's StructSize was called");
}

}  // namespace

TestGroup AbiTests() {
    return {"abi",
            {
#if defined(__i386__)
                {"every export pops its own arguments", EveryExportPopsItsArguments},
#endif
                {"plug-in info filled at the host's offsets", PluginInfoIsFilledAtTheHostsOffsets},
                {"a longer startup record is cut to the known part",
                 LongerStartupRecordIsCutToTheKnownPart},
                {"services beyond a short record are never called",
                 ServicesBeyondAShortRecordAreNeverCalled},
            }};
}

}  // namespace win32_tests
