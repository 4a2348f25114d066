// A module that does nothing but remember what its host handed it, for the
// loader and dispatch tests. Built once with every export and once without
// Configure.
#include <algorithm>
#include <cstring>

#include "tests/host/stand_in_state.hpp"

namespace {
StandInState g_state;
PluginStartupInfo g_info;
}  // namespace

extern "C" {

__attribute__((visibility("default"))) StandInState* GetStandInState() { return &g_state; }

__attribute__((visibility("default"))) void WINAPI SetStartupInfo(const PluginStartupInfo* Info) {
    ++g_state.startupCalls;
    g_state.structSize = Info->StructSize;
    const std::size_t size = static_cast<std::size_t>(std::clamp(Info->StructSize, 0, 1024));
    std::memcpy(g_state.received, Info, size);
    g_state.record = Info;
    std::memset(&g_info, 0, sizeof g_info);
    std::memcpy(&g_info, Info, std::min(size, sizeof g_info));
    if (g_info.GetMsg != nullptr) {
        const char* text = g_info.GetMsg(g_info.ModuleNumber, 0);
        std::strncpy(g_state.firstMessage, text != nullptr ? text : "(null)",
                     sizeof g_state.firstMessage - 1);
    }
}

__attribute__((visibility("default"))) void WINAPI GetPluginInfo(PluginInfo* Info) {
    ++g_state.pluginInfoCalls;
    static const char* const kTitles[] = {"Stand-in"};
    Info->StructSize = sizeof *Info;
    Info->Flags = PF_EDITOR;
    Info->PluginMenuStrings = kTitles;
    Info->PluginMenuStringsNumber = 1;
}

__attribute__((visibility("default"))) int WINAPI ProcessEditorInput(const INPUT_RECORD* Rec) {
    ++g_state.processCalls;
    g_state.lastRecord = *Rec;
    EditorGetString line{};
    line.StringNumber = -1;
    g_state.lineSeen[0] = '\0';
    if (g_info.EditorControl != nullptr && g_info.EditorControl(ECTL_GETSTRING, &line) == 1) {
        const std::size_t length =
            std::min(static_cast<std::size_t>(line.StringLength), sizeof g_state.lineSeen - 1);
        std::memcpy(g_state.lineSeen, line.StringText, length);
        g_state.lineSeen[length] = '\0';
    }
    return g_state.processAnswer;
}

__attribute__((visibility("default"))) HANDLE WINAPI OpenPlugin(int OpenFrom, int Item) {
    ++g_state.openCalls;
    g_state.openFrom = OpenFrom;
    g_state.openItem = Item;
    return INVALID_HANDLE_VALUE;
}

__attribute__((visibility("default"))) int WINAPI ProcessEditorEvent(int Event, void* Param) {
    ++g_state.eventCalls;
    g_state.lastEvent = Event;
    g_state.lastEventParam = Param;
    return 0;
}

#ifndef STAND_IN_WITHOUT_CONFIGURE
__attribute__((visibility("default"))) int WINAPI Configure(int ItemNumber) {
    ++g_state.configureCalls;
    g_state.configureItem = ItemNumber;
    return 1;
}
#endif

}  // extern "C"
