// The host services handed to the module in PluginStartupInfo. They are plain
// WINAPI functions, so they reach their state through one process-wide target
// that the current Host sets.
#pragma once

#include <exception>
#include <utility>

#include "api/ansi_api.hpp"
#include "host/ansi/ansi_editor.hpp"
#include "host/language.hpp"
#include "host/ui.hpp"

namespace host {

class UnicodeEditor;
struct UnicodeServices;

// What the services act on; each member may be null.
struct ServiceTarget {
    const LanguageFile* messages = nullptr;  // GetMsg answers "" without one
    AnsiEditor* editor = nullptr;            // EditorControl answers 0 without one
    Ui* ui = nullptr;                        // Menu, Dialog, Message answer -1 without one
    // The editor as a Unicode plug-in sees it, and what else the Unicode
    // services act on (unicode_services.hpp).
    UnicodeEditor* unicodeEditor = nullptr;
    UnicodeServices* unicode = nullptr;
};

// Makes `target` the one the services act on (null: none); returns the previous one.
ServiceTarget* SetServiceTarget(ServiceTarget* target);
ServiceTarget* CurrentServiceTarget();

// Asks the current target's UI through `ask`: -1 (the user left) without a
// UI, or when the host's side throws.
template <class Ask>
auto AskUi(Ask ask) -> decltype(ask(std::declval<Ui&>())) {
    ServiceTarget* target = CurrentServiceTarget();
    if (target == nullptr || target->ui == nullptr) return -1;
    try {
        return ask(*target->ui);
    } catch (const std::exception&) {
        return -1;
    }
}

// Puts the six services the module uses into `info`; the others stay as they are.
void FillServices(PluginStartupInfo& info);

// The services themselves, for tests that call them as the module does.
namespace services {
int WINAPI Menu(int PluginNumber, int X, int Y, int MaxHeight, DWORD Flags, const char* Title,
                const char* Bottom, const char* HelpTopic, const int* BreakKeys, int* BreakCode,
                const FarMenuItem* Item, int ItemsNumber);
int WINAPI Dialog(int PluginNumber, int X1, int Y1, int X2, int Y2, const char* HelpTopic,
                  FarDialogItem* Item, int ItemsNumber);
int WINAPI Message(int PluginNumber, DWORD Flags, const char* HelpTopic, const char* const* Items,
                   int ItemsNumber, int ButtonsNumber);
const char* WINAPI GetMsg(int PluginNumber, int MsgId);
int WINAPI CmpName(const char* Pattern, const char* String, int SkipPath);
int WINAPI EditorControl(int Command, void* Param);
}  // namespace services

}  // namespace host
