// The exports of the far2l face, which far2l looks up by their plain names.
// Nothing thrown may reach the host: each entry point that can throw answers
// what changes nothing.
#include "api/far2l_api.hpp"
#include "module/far2l/config_ui.hpp"
#include "module/far2l/exports.hpp"
#include "module/far2l/far2l_editor.hpp"
#include "module/far2l/host_info.hpp"
#include "module/far2l/reflow_entry.hpp"
#include "module/far2l/settings_file.hpp"

namespace marten::far2l {
namespace {

// The editor's plug-in menu: the settings, then the reflow command. The
// configuration list keeps the one entry.
const wchar_t* MenuTitles[2] = {nullptr, nullptr};
constexpr far2l_api::INT_PTR kReflowEntry = 1;

// Runs the configuration menu; nothing thrown reaches far2l.
int Configure() {
    try {
        return RunConfiguration();
    } catch (...) {
        return 0;
    }
}

// Runs the reflow command; nothing thrown reaches far2l.
template <class Run>
void Guarded(Run run) {
    try {
        run();
    } catch (...) {
        // The bracket is closed; the text is as far as the command got.
    }
}

}  // namespace
}  // namespace marten::far2l

using namespace marten::far2l;

extern "C" int GetMinFarVersionW() { return far2l_api::kMinFarVersion; }

extern "C" void SetStartupInfoW(const far2l_api::PluginStartupInfo* Info) {
    try {
        TakeStartupInfo(Info);
        ForgetActivation();
        LoadSettings();
    } catch (...) {
        // The defaults stay in force.
    }
}

extern "C" void GetPluginInfoW(far2l_api::PluginInfo* Info) {
    if (Info == nullptr) return;
    MenuTitles[0] = Msg(marten::MPluginTitle);
    MenuTitles[1] = Msg(marten::MReflowCommand);
    Info->StructSize = sizeof(far2l_api::PluginInfo);
    Info->Flags = far2l_api::PF_EDITOR | far2l_api::PF_DISABLEPANELS;
    Info->PluginMenuStrings = MenuTitles;
    Info->PluginMenuStringsNumber = 2;
    Info->PluginConfigStrings = MenuTitles;
    Info->PluginConfigStringsNumber = 1;
    Info->SysID = kSysId;
}

// F11's first entry opens the configuration menu, its second reflows; a
// macro's CallPlugin(SysID, "Reflow") reflows too. No panel is ever opened,
// so the answer is always INVALID_HANDLE_VALUE.
extern "C" HANDLE OpenPluginW(int OpenFrom, far2l_api::INT_PTR Item) {
    if ((OpenFrom & far2l_api::OPEN_FROMMACRO) != 0) {
        Guarded([&] { OpenFromMacro(OpenFrom, Item); });
    } else if (Item == kReflowEntry) {
        Guarded([] { RunReflow(); });
    } else {
        Configure();
    }
    return INVALID_HANDLE_VALUE;
}

// The entry in far2l's plug-in configuration list.
extern "C" int ConfigureW(int /*ItemNumber: there is only one entry*/) { return Configure(); }

extern "C" int ProcessEditorInputW(const far2l_api::INPUT_RECORD* Rec) {
    // Only key events carry key fields.
    if (Rec == nullptr || Rec->EventType != KEY_EVENT) return 0;
    if (Host.EditorControl == nullptr) return 0;
    try {
        return HandleKey(*Rec);
    } catch (...) {
        return 0;
    }
}

extern "C" int ProcessEditorEventW(int /*Event*/, void* /*Param*/) { return 0; }
