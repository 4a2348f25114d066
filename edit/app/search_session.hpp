// Search, replace and go-to as marten-edit's dialogs ask for them, without
// the dialogs: what the user typed (Unicode) put into the file's table, the
// replace loop that asks about each match, the position that go-to takes,
// and the texts of the messages about them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/codepage.hpp"
#include "engine/editor.hpp"

namespace edit {

// The last search or replace, as the dialog left it: Shift+F7 and Alt+F7 go
// on with it.
struct SearchRequest {
    std::u32string query;
    std::u32string replacement;
    bool matchCase = false;
    bool wholeWords = false;
    bool reverse = false;
    bool replace = false;  // Ctrl+F7 asked for it: going on replaces too
};

// The engine's options for the request; `next` as SearchOptions says,
// `otherWay` turns the direction round (Alt+F7).
engine::SearchOptions OptionsOf(const SearchRequest& request, bool next, bool otherWay = false);

// `text` in the bytes of `table`; none when a character has no place in it,
// and then `missing` (when given) lists those characters, each once.
std::optional<std::string> TextInTable(engine::CodePage table, std::u32string_view text,
                                       std::u32string* missing = nullptr);

// The answer to "replace this match?".
enum class ReplaceChoice { Replace, All, Skip, Cancel };

struct ReplaceOutcome {
    int found = 0;  // matches shown to the user (All counts its first)
    int replaced = 0;
    bool cancelled = false;
};

// Finds each match of `query` from the cursor as `options` say, selected
// with the cursor on it, and asks `ask` about it: Replace puts the
// replacement in and goes on after it, Skip goes on past the match, All
// replaces this match and every one after it (in a reverse search, every one
// before it) as one undo step, Cancel stops. Query and replacement are bytes
// of the editor's table.
ReplaceOutcome ReplaceMatches(engine::Editor& editor, std::string_view query,
                              std::string_view replacement, engine::SearchOptions options,
                              const std::function<ReplaceChoice()>& ask);

// Where go-to leads: "LINE", "LINE:COLUMN", "LINE,COLUMN" or ":COLUMN" (on
// the `current` line) counted from 1, the column a screen column (without
// one the line's start), blanks around allowed; none for anything else (a
// number below 1 or too large to hold included).
std::optional<engine::TypedPosition> ParseGoTo(std::u32string_view text,
                                               engine::LineNumber current);

// Puts the cursor at `target`, the block dropped; a line past the end is the last line.
void JumpTo(engine::Editor& editor, engine::TypedPosition target);

// ---- What the messages say -----------------------------------------------

// Nothing found: "Could not find the string", then the text in quotes.
std::vector<std::u32string> NotFoundLines(std::u32string_view query);
// A text that the file's table cannot hold: what it is ("The text to find",
// "The replacement"), the characters, and the table.
std::vector<std::u32string> NotInTableLines(std::u32string_view what, std::u32string_view missing,
                                            engine::CodePage table);
// "1 replacement made", "3 replacements made".
std::u32string ReplacedLine(int count);
// Go-to's field held no position.
std::vector<std::u32string> NotAPositionLines(std::u32string_view text);

}  // namespace edit
