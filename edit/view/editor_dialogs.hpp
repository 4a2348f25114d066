// The dialogs and questions of marten-edit's own commands: search and
// replace (F7, Ctrl+F7), the question about each match, go-to (Alt+F8) and
// the name to save under (Shift+F2). Each field keeps a history of its own,
// and F1 in them shows the editor's help.
#pragma once

#include <optional>
#include <string>

#include "edit/app/search_session.hpp"
#include "edit/ui/ncurses_ui.hpp"

namespace edit {

// The names of the fields' histories (the search text is shared by F7 and
// Ctrl+F7, as in the file manager's editor).
inline constexpr const char* kSearchHistory = "marten-edit\\SearchText";
inline constexpr const char* kReplaceHistory = "marten-edit\\ReplaceText";
inline constexpr const char* kGoToHistory = "marten-edit\\GoTo";
inline constexpr const char* kSaveAsHistory = "marten-edit\\SaveAs";

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
