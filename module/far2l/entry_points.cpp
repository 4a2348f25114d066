// The exports of the far2l face, which far2l looks up by their plain names.
// Nothing thrown may reach the host: each entry point that can throw answers
// what changes nothing.
#include "api/far2l_api.hpp"
#include "module/far2l/far2l_editor.hpp"
#include "module/far2l/host_info.hpp"
#include "module/far2l/settings_file.hpp"

namespace marten::far2l {
namespace {

const wchar_t* PluginTitles[1] = {nullptr};

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
}

// The menu of this entry comes with the settings dialog; until then the
// entry opens nothing.
extern "C" HANDLE OpenPluginW(int /*OpenFrom*/, far2l_api::INT_PTR /*Item*/) {
    return INVALID_HANDLE_VALUE;
}

extern "C" int ConfigureW(int /*ItemNumber*/) { return 0; }

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
