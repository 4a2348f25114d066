// The editor's own commands that ask something first: search (F7, Shift+F7,
// Alt+F7), replace (Ctrl+F7), go to (Alt+F8) and save under another name
// (Shift+F2). They remember the last search between calls.
#pragma once

#include <optional>
#include <string>

#include "edit/app/search_session.hpp"
#include "edit/app/session.hpp"
#include "edit/ui/ncurses_ui.hpp"

namespace edit {

class EditorCommands {
public:
    // `name` is the file's name as the title line shows it (UTF-8) and
    // `status` the title line's message; a save under another name changes
    // both. All of them must outlive the commands.
    EditorCommands(Session& session, NcursesUi& ui, std::string& name, std::u32string& status);

    void Search();
    void Replace();
    // Goes on with the last search or replace from the cursor: the next
    // match, or with `otherWay` the one in the other direction. Without one
    // yet, it asks as Search does.
    void SearchAgain(bool otherWay);
    void GoTo();
    void SaveAs();

private:
    // The search or the replace dialog, then the first match.
    void AskAndFind(bool replace);
    // Looks for the last request's text from the cursor, and with a replace
    // asks about each match; `next` as SearchOptions has it.
    void Continue(bool next, bool otherWay);
    // `text` of the last request in the file's table, or none after saying
    // which characters the table lacks; `what` names the text in that message.
    std::optional<std::string> InTable(const std::u32string& text, const std::u32string& what);
    // The screen row of the cursor's line, as the view shows the text from row 1.
    int CursorRow() const;

    Session& session_;
    NcursesUi& ui_;
    std::string& name_;
    std::u32string& status_;
    std::optional<SearchRequest> last_;
};

}  // namespace edit
