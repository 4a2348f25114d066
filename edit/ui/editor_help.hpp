// The editor's own help (edit/help/marten-edit.hlf, built into the program):
// every key of marten-edit and its dialogs, grouped as the file manager's
// editor help groups them, with a link into the plug-in's help.
#pragma once

#include "host/language.hpp"

namespace edit {

// The names the help window knows the two help files by: a link into the
// plug-in's help is written ~text~@<Marten>Topic@.
inline constexpr const char* kEditorHelpName = "marten-edit";
inline constexpr const char* kPluginHelpName = "Marten";

// The editor's own dialogs, and each one's topic in its help (F1 in it).
enum class EditorDialog { Search, Replace, GoTo, SaveAs };
inline constexpr const char* kDialogHelpTopics[] = {"Search", "Replace", "GoTo", "SaveAs"};
constexpr const char* HelpTopicOf(EditorDialog dialog) {
    return kDialogHelpTopics[static_cast<int>(dialog)];
}

// The editor's help, read from the program the first time it is asked for.
const host::HelpFile& EditorHelp();

}  // namespace edit
