#include "host/services3.hpp"

#include <exception>

#include "host/cmp_name.hpp"
#include "host/unicode_editor.hpp"

namespace host {

void FillServices3(api3::PluginStartupInfo& info, api3::FarStandardFunctions& fsf) {
    info.GetMsg = &services3::GetMsg;
    info.EditorControl = &services3::EditorControl;
    info.AdvControl = &services3::AdvControl;
    info.SettingsControl = &services3::SettingsControl;
    fsf.StructSize = sizeof fsf;
    fsf.ProcessName = &services3::ProcessName;
    info.FSF = &fsf;
}

// Every service catches what the host's side throws: nothing may unwind
// through the plug-in's frames.
namespace services3 {

const api3::WChar* WINAPI GetMsg(const api3::GUID* /*PluginId*/, std::intptr_t MsgId) {
    static const api3::WChar kNone[] = u"";
    const ServiceTarget* target = CurrentServiceTarget();
    if (target == nullptr || target->unicode == nullptr || MsgId < 0) return kNone;
    const auto& messages = target->unicode->messages;
    if (static_cast<std::size_t>(MsgId) >= messages.size()) return kNone;
    return messages[static_cast<std::size_t>(MsgId)].c_str();
}

std::intptr_t WINAPI EditorControl(std::intptr_t EditorID, api3::EDITOR_CONTROL_COMMANDS Command,
                                   std::intptr_t Param1, void* Param2) {
    const ServiceTarget* target = CurrentServiceTarget();
    if (target == nullptr || target->unicodeEditor == nullptr) return 0;
    try {
        return target->unicodeEditor->Control(EditorID, Command, Param1, Param2);
    } catch (const std::exception&) {
        return 0;
    }
}

std::intptr_t WINAPI AdvControl(const api3::GUID* /*PluginId*/, api3::ADVANCED_CONTROL_COMMANDS Command,
                                std::intptr_t /*Param1*/, void* Param2) {
    const ServiceTarget* target = CurrentServiceTarget();
    if (target == nullptr) return 0;
    switch (Command) {
    case api3::ACTL_GETFARMANAGERVERSION:
        if (Param2 != nullptr && target->unicode != nullptr) {
            *static_cast<api3::VersionInfo*>(Param2) = target->unicode->hostVersion;
        }
        return 1;
    case api3::ACTL_REDRAWALL:
        return 1;
    default:
        return 0;
    }
}

std::intptr_t WINAPI SettingsControl(HANDLE hHandle, api3::FAR_SETTINGS_CONTROL_COMMANDS Command,
                                     std::intptr_t Param1, void* Param2) {
    const ServiceTarget* target = CurrentServiceTarget();
    if (target == nullptr || target->unicode == nullptr || !target->unicode->settings) return 0;
    try {
        return target->unicode->settings->Control(hHandle, Command, Param1, Param2);
    } catch (const std::exception&) {
        return 0;
    }
}

std::size_t WINAPI ProcessName(const api3::WChar* Param1, api3::WChar* Param2, std::size_t /*Size*/,
                               api3::PROCESSNAME_FLAGS Flags) {
    // Only the comparison of one mask is offered; the other modes answer 0.
    constexpr api3::PROCESSNAME_FLAGS kMode = 0xFF0000;
    if (Param1 == nullptr || Param2 == nullptr || (Flags & kMode) != api3::PN_CMPNAME) return 0;
    return CmpName(std::u16string_view(Param1), std::u16string_view(Param2),
                   (Flags & api3::PN_SKIPPATH) != 0)
               ? 1
               : 0;
}

}  // namespace services3

}  // namespace host
