// The exports of the Unicode face. Nothing thrown may reach the host: each
// entry point that can throw answers what changes nothing.
#include "api/unicode_api.hpp"
#include "module/unicode/config_ui.hpp"
#include "module/unicode/guids.hpp"
#include "module/unicode/host_info.hpp"
#include "module/unicode/reflow_entry.hpp"
#include "module/unicode/settings_store.hpp"
#include "module/unicode/unicode_editor.hpp"

namespace marten::unicode {
namespace {

// The interface version the face was written against; the host compares
// major, minor, build and revision and refuses the module when it is older.
constexpr unicode_api::VersionInfo kMinHostVersion = {3, 0, 0, 6682, unicode_api::VS_RELEASE};

const WChar* PluginTitles[1] = {nullptr};
// The editor's plug-in menu: the settings, then the reflow command.
const WChar* MenuTitles[2] = {nullptr, nullptr};
const unicode_api::GUID MenuGuids[2] = {kMenuEntryGuid, kReflowEntryGuid};

// The face's own texts in the interface's unit, made once and kept for the host.
struct OwnTexts {
    UnicodeText title = FromAscii("Marten");
    UnicodeText description =
        FromAscii("Quotation prefixes, wrap and look-alike letters for FTN messages");
    UnicodeText author = FromAscii("The Marten developers");
};

const OwnTexts& Own() {
    static const OwnTexts texts;
    return texts;
}

}  // namespace
}  // namespace marten::unicode

using namespace marten::unicode;

extern "C" void WINAPI GetGlobalInfoW(unicode_api::GlobalInfo* Info) {
    if (Info == nullptr) return;
    Info->MinFarVersion = kMinHostVersion;
    Info->Version = {MARTEN_VERSION_MAJOR, MARTEN_VERSION_MINOR, MARTEN_VERSION_PATCH, 0,
                     unicode_api::VS_RELEASE};
    Info->Guid = kPluginGuid;
    Info->Title = Own().title.c_str();
    Info->Description = Own().description.c_str();
    Info->Author = Own().author.c_str();
}

extern "C" void WINAPI SetStartupInfoW(const unicode_api::PluginStartupInfo* Info) {
    try {
        TakeStartupInfo(Info);
        ForgetActivation();
        LoadSettings();
    } catch (...) {
        // The defaults stay in force.
    }
}

extern "C" void WINAPI GetPluginInfoW(unicode_api::PluginInfo* Info) {
    if (Info == nullptr) return;
    PluginTitles[0] = Msg(marten::MPluginTitle);
    MenuTitles[0] = PluginTitles[0];
    MenuTitles[1] = Msg(marten::MReflowCommand);
    Info->StructSize = sizeof(unicode_api::PluginInfo);
    Info->Flags = unicode_api::PF_EDITOR | unicode_api::PF_DISABLEPANELS;
    Info->PluginMenu = {MenuGuids, MenuTitles, 2};
    Info->PluginConfig = {&kConfigEntryGuid, PluginTitles, 1};
}

extern "C" HANDLE WINAPI OpenW(const unicode_api::OpenInfo* Info) {
    try {
        if (Info != nullptr && Info->OpenFrom == unicode_api::OPEN_FROMMACRO) {
            return OpenFromMacro(Info->Data);
        }
        if (Info != nullptr && Info->Guid != nullptr &&
            unicode_api::SameGuid(*Info->Guid, kReflowEntryGuid)) {
            RunReflow();
        } else {
            RunConfiguration();
        }
    } catch (...) {}
    // A null answer: no panel was opened.
    return nullptr;
}

extern "C" std::intptr_t WINAPI ConfigureW(const unicode_api::ConfigureInfo* /*Info*/) {
    try {
        return RunConfiguration();
    } catch (...) {
        return 0;
    }
}

extern "C" std::intptr_t WINAPI
ProcessEditorInputW(const unicode_api::ProcessEditorInputInfo* Info) {
    // Only key events carry key fields.
    if (Info == nullptr || Info->Rec.EventType != KEY_EVENT) return 0;
    if (Host.EditorControl == nullptr) return 0;
    try {
        return HandleKey(Info->Rec);
    } catch (...) {
        return 0;
    }
}

extern "C" std::intptr_t WINAPI
ProcessEditorEventW(const unicode_api::ProcessEditorEventInfo* /*Info*/) {
    return 0;
}

extern "C" void WINAPI ExitFARW(const unicode_api::ExitInfo* /*Info*/) {
    // Settings are stored when the dialog is confirmed; nothing is left to write.
}
