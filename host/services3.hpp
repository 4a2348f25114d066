// The host services handed to a plug-in of the Unicode interface in its
// PluginStartupInfo and FarStandardFunctions. Like the ANSI ones they are
// plain WINAPI functions that reach their state through the process-wide
// ServiceTarget.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "api/plugin_api3.hpp"
#include "host/services.hpp"
#include "host/settings_store3.hpp"

namespace host {

// The Unicode plug-in's own state that its services read.
struct UnicodeServices {
    api3::GUID pluginGuid{};
    api3::VersionInfo hostVersion{};
    std::vector<std::u16string> messages;  // GetMsg, in identifier order
    std::unique_ptr<SettingsStore> settings;  // SettingsControl answers 0 without one
};

// Puts the services the host offers into `info` and `fsf` (the others stay
// null) and points info.FSF at `fsf`.
void FillServices3(api3::PluginStartupInfo& info, api3::FarStandardFunctions& fsf);

// The services themselves, for tests that call them as a plug-in does.
namespace services3 {
const api3::WChar* WINAPI GetMsg(const api3::GUID* PluginId, std::intptr_t MsgId);
std::intptr_t WINAPI EditorControl(std::intptr_t EditorID, api3::EDITOR_CONTROL_COMMANDS Command,
                                   std::intptr_t Param1, void* Param2);
std::intptr_t WINAPI AdvControl(const api3::GUID* PluginId, api3::ADVANCED_CONTROL_COMMANDS Command,
                                std::intptr_t Param1, void* Param2);
std::intptr_t WINAPI SettingsControl(HANDLE hHandle, api3::FAR_SETTINGS_CONTROL_COMMANDS Command,
                                     std::intptr_t Param1, void* Param2);
std::size_t WINAPI ProcessName(const api3::WChar* Param1, api3::WChar* Param2, std::size_t Size,
                               api3::PROCESSNAME_FLAGS Flags);
}  // namespace services3

}  // namespace host
