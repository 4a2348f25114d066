// The exports of the 1.x face. SetStartupInfo copies the host's service table
// and loads the settings; GetPluginInfo offers the one entry in the editor's
// plug-in menu and in the configuration list; both ways into the
// configuration (the list's Configure, the menu entry's OpenPlugin) run the
// same loop; ProcessEditorInput runs the features. Nothing thrown may reach
// the host: each entry point that can throw answers what changes nothing.
#include "api/ansi_api.hpp"
#include "module/ansi/ansi_editor.hpp"
#include "module/ansi/config_menu.hpp"
#include "module/ansi/host_info.hpp"
#include "module/ansi/settings_store.hpp"

using namespace marten::ansi;

extern "C" void WINAPI SetStartupInfo(const PluginStartupInfo* Info) {
    try {
        TakeStartupInfo(Info);
        if (Info == nullptr) return;
        LoadSettings();
    } catch (...) {
        // The defaults stay in force.
    }
}

extern "C" void WINAPI GetPluginInfo(PluginInfo* Info) {
    if (Info == nullptr) return;
    // A host without a language service still gets a valid (empty) title.
    const char* title = MsgText(marten::MPluginTitle);
    PluginMenuList[0] = title != nullptr ? title : "";

    Info->StructSize = static_cast<int>(sizeof(PluginInfo));
    Info->Flags = PF_DISABLEPANELS | PF_EDITOR;
    Info->DiskMenuStringsNumber = 0;
    Info->PluginMenuStrings = PluginMenuList;
    Info->PluginMenuStringsNumber = 1;
    Info->PluginConfigStrings = PluginMenuList;
    Info->PluginConfigStringsNumber = 1;
    Info->CommandPrefix = nullptr;
}

extern "C" int WINAPI Configure(int /*ItemNumber: there is only one entry*/) {
    try {
        return RunConfiguration();
    } catch (...) {
        return 0;
    }
}

extern "C" HANDLE WINAPI OpenPlugin(int /*OpenFrom*/, int /*Item*/) {
    try {
        RunConfiguration();
    } catch (...) {}
    // The module opens no panel.
    return INVALID_HANDLE_VALUE;
}

extern "C" int WINAPI ProcessEditorInput(const INPUT_RECORD* Rec) {
    // Only key events carry key fields: the bytes of a mouse or focus event
    // read as a key could otherwise start a feature.
    if (Rec == nullptr || Rec->EventType != KEY_EVENT) return 0;
    // Without the editor service or the name comparison there is nothing to
    // do; the features rely on both from here on.
    if (HostInfo.EditorControl == nullptr || HostInfo.CmpName == nullptr) return 0;
    try {
        return HandleKey(Rec->Event.KeyEvent);
    } catch (...) {
        // The editor then handles the key.
        return 0;
    }
}
