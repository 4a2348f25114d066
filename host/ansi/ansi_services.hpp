// The host services handed to a 1.x plug-in in PluginStartupInfo. They are
// plain WINAPI functions, so they reach their state through one process-wide
// target that the 1.x adapter sets before each call into its plug-in.
#pragma once

#include "api/ansi_api.hpp"
#include "host/ansi/ansi_editor.hpp"
#include "host/language.hpp"
#include "host/ui.hpp"

namespace host {

// What the services act on; each member may be null.
struct AnsiServiceTarget {
    const LanguageFile* messages = nullptr;  // GetMsg answers "" without one
    AnsiEditor* editor = nullptr;            // EditorControl answers 0 without one
    Ui* ui = nullptr;                        // Menu, Dialog, Message answer -1 without one
};

// Makes `target` the one the services act on (null: none); returns the previous one.
AnsiServiceTarget* SetAnsiServiceTarget(AnsiServiceTarget* target);
AnsiServiceTarget* CurrentAnsiServiceTarget();

// Puts the six services the module uses into `info`; the others stay as they are.
void FillAnsiServices(PluginStartupInfo& info);

// The services themselves, for tests that call them as the module does.
namespace ansiServices {
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
}  // namespace ansiServices

}  // namespace host
