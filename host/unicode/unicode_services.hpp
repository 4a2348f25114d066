// The host services handed to a plug-in of the Unicode interface in its
// PluginStartupInfo and FarStandardFunctions. Like the 1.x ones they are
// plain WINAPI functions that reach their state through a process-wide
// target, which the Unicode adapter sets before each call into its plug-in.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "api/unicode_api.hpp"
#include "host/language.hpp"
#include "host/ui.hpp"
#include "host/unicode/unicode_settings_store.hpp"

namespace host {

class UnicodeEditor;

// A dialog between DialogInit and DialogFree.
struct UnicodeDialog {
    UnicodeDialogCall call;
    std::vector<const unicode_api::FarList*> lists;  // each item's list, read when the dialog runs
    std::intptr_t answer = -1;
};

// What the services act on: the editor, the UI and the plug-in's own state.
struct UnicodeServiceTarget {
    UnicodeEditor* editor = nullptr;  // EditorControl answers 0 without one
    Ui* ui = nullptr;                 // Menu, Message, DialogRun answer -1 without one
    unicode_api::GUID pluginGuid{};
    unicode_api::VersionInfo hostVersion{};
    std::vector<std::u16string> messages;     // GetMsg, in identifier order
    const HelpFile* help = nullptr;           // ShowHelp answers FALSE without one
    std::unique_ptr<SettingsStore> settings;  // SettingsControl answers 0 without one
    std::map<void*, std::unique_ptr<UnicodeDialog>> dialogs;  // by handle
};

// Makes `target` the one the services act on (null: none); returns the previous one.
UnicodeServiceTarget* SetUnicodeServiceTarget(UnicodeServiceTarget* target);
UnicodeServiceTarget* CurrentUnicodeServiceTarget();

// Puts the services the host offers into `info` and `fsf` (the others stay
// null) and points info.FSF at `fsf`.
void FillUnicodeServices(unicode_api::PluginStartupInfo& info,
                         unicode_api::FarStandardFunctions& fsf);

// The services themselves, for tests that call them as a plug-in does.
namespace unicodeServices {
const unicode_api::WChar* WINAPI GetMsg(const unicode_api::GUID* PluginId, std::intptr_t MsgId);
std::intptr_t WINAPI EditorControl(std::intptr_t EditorID,
                                   unicode_api::EDITOR_CONTROL_COMMANDS Command,
                                   std::intptr_t Param1, void* Param2);
std::intptr_t WINAPI AdvControl(const unicode_api::GUID* PluginId,
                                unicode_api::ADVANCED_CONTROL_COMMANDS Command,
                                std::intptr_t Param1, void* Param2);
std::intptr_t WINAPI Menu(const unicode_api::GUID* PluginId, const unicode_api::GUID* Id,
                          std::intptr_t X, std::intptr_t Y, std::intptr_t MaxHeight,
                          unicode_api::FARMENUFLAGS Flags, const unicode_api::WChar* Title,
                          const unicode_api::WChar* Bottom, const unicode_api::WChar* HelpTopic,
                          const unicode_api::FarKey* BreakKeys, std::intptr_t* BreakCode,
                          const unicode_api::FarMenuItem* Item, std::size_t ItemsNumber);
std::intptr_t WINAPI Message(const unicode_api::GUID* PluginId, const unicode_api::GUID* Id,
                             unicode_api::FARMESSAGEFLAGS Flags,
                             const unicode_api::WChar* HelpTopic,
                             const unicode_api::WChar* const* Items, std::size_t ItemsNumber,
                             std::intptr_t ButtonsNumber);
HANDLE WINAPI DialogInit(const unicode_api::GUID* PluginId, const unicode_api::GUID* Id,
                         std::intptr_t X1, std::intptr_t Y1, std::intptr_t X2, std::intptr_t Y2,
                         const unicode_api::WChar* HelpTopic,
                         const unicode_api::FarDialogItem* Item, std::size_t ItemsNumber,
                         std::intptr_t Reserved, unicode_api::FARDIALOGFLAGS Flags,
                         unicode_api::FARWINDOWPROC DlgProc, void* Param);
std::intptr_t WINAPI DialogRun(HANDLE hDlg);
void WINAPI DialogFree(HANDLE hDlg);
std::intptr_t WINAPI SendDlgMessage(HANDLE hDlg, std::intptr_t Msg, std::intptr_t Param1,
                                    void* Param2);
BOOL WINAPI ShowHelp(const unicode_api::WChar* ModuleName, const unicode_api::WChar* Topic,
                     unicode_api::FARHELPFLAGS Flags);
std::intptr_t WINAPI SettingsControl(HANDLE hHandle,
                                     unicode_api::FAR_SETTINGS_CONTROL_COMMANDS Command,
                                     std::intptr_t Param1, void* Param2);
std::size_t WINAPI ProcessName(const unicode_api::WChar* Param1, unicode_api::WChar* Param2,
                               std::size_t Size, unicode_api::PROCESSNAME_FLAGS Flags);
}  // namespace unicodeServices

}  // namespace host
