// The host services handed to a plug-in of the Unicode interface in its
// PluginStartupInfo and FarStandardFunctions. Like the ANSI ones they are
// plain WINAPI functions that reach their state through the process-wide
// ServiceTarget.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "api/plugin_api3.hpp"
#include "host/services.hpp"
#include "host/settings_store3.hpp"
#include "host/ui.hpp"

namespace host {

// A dialog between DialogInit and DialogFree.
struct UnicodeDialog {
    DialogCall3 call;
    std::vector<const api3::FarList*> lists;  // each item's list, read when the dialog runs
    std::intptr_t answer = -1;
};

// The Unicode plug-in's own state that its services read.
struct UnicodeServices {
    api3::GUID pluginGuid{};
    api3::VersionInfo hostVersion{};
    std::vector<std::u16string> messages;     // GetMsg, in identifier order
    const HelpFile* help = nullptr;           // ShowHelp answers FALSE without one
    std::unique_ptr<SettingsStore> settings;  // SettingsControl answers 0 without one
    std::map<void*, std::unique_ptr<UnicodeDialog>> dialogs;  // by handle
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
std::intptr_t WINAPI Menu(const api3::GUID* PluginId, const api3::GUID* Id, std::intptr_t X,
                          std::intptr_t Y, std::intptr_t MaxHeight, api3::FARMENUFLAGS Flags,
                          const api3::WChar* Title, const api3::WChar* Bottom,
                          const api3::WChar* HelpTopic, const api3::FarKey* BreakKeys,
                          std::intptr_t* BreakCode, const api3::FarMenuItem* Item,
                          std::size_t ItemsNumber);
std::intptr_t WINAPI Message(const api3::GUID* PluginId, const api3::GUID* Id,
                             api3::FARMESSAGEFLAGS Flags, const api3::WChar* HelpTopic,
                             const api3::WChar* const* Items, std::size_t ItemsNumber,
                             std::intptr_t ButtonsNumber);
HANDLE WINAPI DialogInit(const api3::GUID* PluginId, const api3::GUID* Id, std::intptr_t X1,
                         std::intptr_t Y1, std::intptr_t X2, std::intptr_t Y2,
                         const api3::WChar* HelpTopic, const api3::FarDialogItem* Item,
                         std::size_t ItemsNumber, std::intptr_t Reserved,
                         api3::FARDIALOGFLAGS Flags, api3::FARWINDOWPROC DlgProc, void* Param);
std::intptr_t WINAPI DialogRun(HANDLE hDlg);
void WINAPI DialogFree(HANDLE hDlg);
std::intptr_t WINAPI SendDlgMessage(HANDLE hDlg, std::intptr_t Msg, std::intptr_t Param1,
                                    void* Param2);
BOOL WINAPI ShowHelp(const api3::WChar* ModuleName, const api3::WChar* Topic,
                     api3::FARHELPFLAGS Flags);
std::intptr_t WINAPI SettingsControl(HANDLE hHandle, api3::FAR_SETTINGS_CONTROL_COMMANDS Command,
                                     std::intptr_t Param1, void* Param2);
std::size_t WINAPI ProcessName(const api3::WChar* Param1, api3::WChar* Param2, std::size_t Size,
                               api3::PROCESSNAME_FLAGS Flags);
}  // namespace services3

}  // namespace host
