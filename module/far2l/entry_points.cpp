// The exports of the far2l face, which far2l looks up by their plain names.
// Nothing thrown may reach the host: each entry point that can throw answers
// what changes nothing.
#include "api/far2l_api.hpp"
#include "module/far2l/config_ui.hpp"
#include "module/far2l/exports.hpp"
#include "module/far2l/far2l_editor.hpp"
#include "module/far2l/host_info.hpp"
#include "module/far2l/settings_file.hpp"

namespace marten::far2l {
namespace {

const wchar_t* PluginTitles[1] = {nullptr};

// Runs the configuration menu; nothing thrown reaches far2l.
int Configure() {
    try {
        return RunConfiguration();
    } catch (...) {
        return 0;
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
    PluginTitles[0] = Msg(marten::MPluginTitle);
    Info->StructSize = sizeof(far2l_api::PluginInfo);
    Info->Flags = far2l_api::PF_EDITOR | far2l_api::PF_DISABLEPANELS;
    Info->PluginMenuStrings = PluginTitles;
    Info->PluginMenuStringsNumber = 1;
    Info->PluginConfigStrings = PluginTitles;
    Info->PluginConfigStringsNumber = 1;
}

// F11's entry opens the configuration menu; no panel is opened.
extern "C" HANDLE OpenPluginW(int /*OpenFrom: the editor's F11 alone*/,
                              far2l_api::INT_PTR /*Item: there is only one entry*/) {
    Configure();
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
