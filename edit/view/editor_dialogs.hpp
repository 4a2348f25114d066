// The dialogs and questions of marten-edit's own commands: search and
// replace (F7, Ctrl+F7), the question about each match, go-to (Alt+F8) and
// the name to save under (Shift+F2). Each field keeps a history of its own,
// and F1 in them shows the editor's help.
#pragma once

#include <optional>
#include <string>

#include "edit/app/search_session.hpp"
#include "edit/ui/editor_help.hpp"
#include "edit/ui/ncurses_ui.hpp"

namespace edit {

// The history of each dialog's first field (the search text is shared by F7
// and Ctrl+F7, as in the file manager's editor), and the replacement's.
constexpr const char* HistoryOf(EditorDialog dialog) {
    switch (dialog) {
    case EditorDialog::GoTo: return "marten-edit\\GoTo";
    case EditorDialog::SaveAs: return "marten-edit\\SaveAs";
    default: return "marten-edit\\SearchText";
    }
}
inline constexpr const char* kReplacementHistory = "marten-edit\\ReplaceText";

// The search dialog, or with `replace` the replace dialog, filled from
// `request`; false when the user leaves it, else `request` holds the answers.
bool AskSearch(NcursesUi& ui, SearchRequest& request, bool replace);

// Asks what to do with the match on screen row `matchRow`, which the box
// leaves in sight; Esc is Cancel.
ReplaceChoice AskReplace(NcursesUi& ui, const SearchRequest& request, int matchRow);

// The text of the go-to dialog; none when the user leaves it.
std::optional<std::u32string> AskPosition(NcursesUi& ui);

// The name to save under, `current` at first; none when the user leaves.
std::optional<std::u32string> AskFileName(NcursesUi& ui, const std::u32string& current);

// True when the user says to replace the existing file `name`.
bool AskOverwrite(NcursesUi& ui, const std::u32string& name);

// True when the user says to save the read-only file `name` all the same
// (what F2 asks too).
bool AskSaveReadOnly(NcursesUi& ui, const std::u32string& name);

// A message with an OK button; red when `warning`.
void Tell(NcursesUi& ui, std::u32string title, std::vector<std::u32string> lines, bool warning = false);

}  // namespace edit
