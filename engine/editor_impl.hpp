// The editor's state and its text operations, shared by the engine's files:
// editor.cpp (the text operations, loading and saving), editor_undo.cpp (undo
// and redo over the history), editor_block.cpp (the block, the clipboard, pasting),
// editor_search.cpp, editor_plugin.cpp (what a plug-in asks for) and
// editor_commands.cpp (the editor's own commands and typing).
//
// The text is the history's (undo_history.hpp): the engine reads the lines
// and changes them only through Change() and SetLineEol, which drop the
// block and hand the change to the history, inside the step that AsOneStep
// (or a caller's Editor::UndoStep) keeps open.
//
// Invariant, checked in debug builds after every command and key:
// - there is at least one line;
// - only the last line may lack an end-of-line (so the saved bytes split
//   back into the same lines);
// - the cursor's line is in [0, LineCount) and its column is not negative;
//   the column may stand beyond the end of the line; within the line it
//   stands at the start of a character (columns count bytes, and a UTF-8
//   character has several);
// - a block, if any, has start < end, both within the text;
// - the history (UndoHistory::CheckInvariant): no change of the text passed
//   it by; between commands the state is that of the last undo step, a redo
//   step starts from it, and the memory counted is what the steps hold.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/editor.hpp"
#include "engine/line_store.hpp"
#include "engine/undo_history.hpp"

namespace engine {

// The cursor may stand this far beyond the end of a line and no further, so
// that a far-off cursor cannot make a typed character pad the line with an
// unbounded run of blanks; within the text of a long line it goes anywhere.
inline constexpr int kMaxBeyondEnd = 1 << 20;

bool IsBlank(char c);

// A column of any size brought into the range of an int column.
inline int ClampColumn(long long pos) {
    return static_cast<int>(std::clamp<long long>(pos, 0, 0x7FFFFFFF));
}

struct Editor::Impl {
    Impl(std::string name, std::string bytes, CodePage page, EditorOptions opts);

    std::string fileName;
    UndoHistory history;     // the text, changed only through it
    const LineStore& lines;  // the history's lines, for reading
    CodePage table;
    EditorOptions options;
    int curLine = 0;
    int curPos = 0;
    int topLine = 0;
    int leftPos = 0;
    bool overtype = false;
    int pluginDepth = 0;  // PluginChanges open: the changes are a plug-in's
    bool typing = false;  // the editor's own command is typing a character

    std::optional<Block> block;
    Clipboard* clipboard = nullptr;
    std::size_t unkept = 0;  // characters that key pastes left out, for the UI

    // ---- Lines -------------------------------------------------------------
    std::string_view Text(int n) const { return lines.At(n).Text(); }
    Eol EolAt(int n) const { return lines.At(n).GetEol(); }
    int Length(int n) const { return static_cast<int>(lines.At(n).Size()); }
    int CurLength() const { return Length(curLine); }
    int LastLine() const { return lines.Count() - 1; }
    // The farthest column the cursor may take on its line.
    int ColumnLimit() const {
        return static_cast<int>(std::min<long long>(0x7FFFFFFF, 1LL * CurLength() + kMaxBeyondEnd));
    }
    TextPosition Cursor() const { return {curLine, curPos}; }
    // A position brought into the text: an existing line, a column within it.
    TextPosition Clamp(TextPosition p) const;

    // ---- Changes (each recorded and dropping the block) ---------------------
    // The history, to change the text through; the block goes first.
    UndoHistory& Change() {
        block.reset();
        return history;
    }
    // A new end-of-line for line n; the block stays when it is the same.
    void SetLineEol(int n, Eol eol);

    // ---- Text operations (editor.cpp) --------------------------------------
    // The end-of-line a new line gets: that of the first line that has one,
    // else CR LF. Only the last line may lack one, so line 0 decides.
    Eol DefaultEol() const;
    // The columns of line n (LineColumns); the two below are its screen
    // column of a byte column and the reverse, as ints.
    LineColumns ColumnsOf(int n) const { return LineColumns(Text(n), table, options.tabSize); }
    int TabPos(int n, int pos) const { return ColumnsOf(n).Screen(ByteColumn(pos)).Value(); }
    int PosOfTabPos(int n, int tabPos) const {
        return ColumnsOf(n).Byte(ScreenColumn(tabPos)).Value();
    }
    // Column `pos` of line n moved back to the start of its character: in
    // UTF-8 the cursor and the block never stand inside a character.
    int CharStart(int n, int pos) const {
        return IsSingleByte(table) ? pos : MultiByteCharStart(n, pos);
    }
    int MultiByteCharStart(int n, int pos) const;

    void SetCursor(int line, int pos);
    // Pads the cursor's line with blanks up to the cursor.
    void FillToCursor();
    // Breaks the cursor's line at the cursor as Enter does; the cursor goes to
    // the new line at column 0 or, with `autoIndent`, at the editor's
    // auto-indent column (see editor.cpp).
    void BreakLine(bool autoIndent);
    // The line whose first non-blank gives the auto-indent column: line n or
    // the nearest one above with a non-blank; -1 when there is none.
    int AutoIndentSource(int n) const;
    // The blanks typed into a new line to reach `column`.
    std::string IndentText(std::string_view sourceBlanks, int column) const;
    // Joins line n+1 to line n, padding line n with blanks to `padTo`
    // characters first; false when line n is the last.
    bool JoinNext(int n, int padTo);
    // Inserts `text` at the cursor, line breaks included, as ECTL_INSERTTEXT
    // does; the cursor ends after it.
    void InsertText(std::string_view text);
    // Types `count` copies of a character at the cursor (insert or overtype),
    // in one step so that a large repeat count costs one move of the line.
    void TypeChar(TableChar typed, int count = 1);
    // Delete: the character at the cursor, or at or beyond the end the join of the next line.
    void DeleteChar();
    // Deletes what Ctrl+Right passes over on the line; at or beyond its end
    // the join of the next line.
    void DeleteWordRight();
    // Backspace: the character before the cursor; at column 0 the join to the line above.
    void Backspace();
    // Deletes what Ctrl+Left passes over on the line; at column 0 the join
    // to the line above.
    void DeleteWordLeft();
    // A plug-in's delete of the cursor's line: the line goes, the last one too.
    void DeleteLine();
    // Ctrl+Y: as DeleteLine, but the last line only loses its text, so that
    // the line count stays and the cursor stays on it.
    void DeleteLineByKey();

    // Brings the cursor back to the start of the character it stands in,
    // when a change of its line left it inside one (UTF-8 only).
    void KeepCursorOnCharacter() { curPos = CharStart(curLine, curPos); }
    // Keeps the cursor inside the window.
    void ScrollToCursor();
    void CheckInvariant() const;

    // ---- Block (editor_block.cpp) ------------------------------------------
    // Sets the block between two places (in either order, brought into the
    // text); none when they meet.
    void SetBlock(TextPosition from, TextPosition to);
    std::optional<LineSelection> SelectionOn(int n) const;
    std::string BlockText() const;
    // Removes the block's text; the cursor goes to its start. False without one.
    bool DeleteBlock();
    // Inserts `bytes` at the cursor as one block (see Editor::InsertBlock).
    void InsertBlock(std::string_view bytes);
    bool CopyBlock();
    bool PasteClipboard();

    // ---- Navigation (editor_commands.cpp) ----------------------------------
    // A byte of a word: neither a blank nor one of the word delimiters.
    bool IsWordByte(char c) const;
    // Where Ctrl+Right and Ctrl+Left go from column `pos` within line n
    // (neither crosses a line here): after the delimiters, the word and the
    // blanks at `pos`; before the blanks, delimiters and word that end there.
    int WordEndFrom(int n, int pos) const;
    int WordStartBefore(int n, int pos) const;
    void WordLeft();
    void WordRight();
    // Moves the cursor to line n at the screen column it has now.
    void ToLineKeepingColumn(int n);
    // PgUp and PgDn: the window moves by `lines` and the cursor with it,
    // keeping its row; where the window can go no further the cursor goes on.
    void Page(int lines);
    // Moves the window by `lines` (negative: up) and the cursor's line with
    // it, so that the cursor keeps its row on the screen.
    void ScrollWindow(int lines);

    // ---- History (editor_undo.cpp) -----------------------------------------
    // Whether a change being made now is plain typing, which may join the
    // last step: the editor's own typed character, not one a plug-in wrote.
    bool PlainTyping() const { return typing && pluginDepth == 0; }
    // Undo or redo as the history answered it: the block goes, and the
    // cursor goes where the history says when the text changed.
    bool Restore(const UndoHistory::Outcome& outcome);
    // After a command: the cursor on a character and in the window, the
    // invariant checked; passes `result` on.
    template <class Result>
    Result Settle(Result result) {
        KeepCursorOnCharacter();
        ScrollToCursor();
        CheckInvariant();
        return result;
    }
};

// Runs `change` (a call that changes the text) as a step of its own, or as
// part of the one open, then keeps the cursor in the window and checks the
// invariant.
template <class Change>
auto AsOneStep(Editor::Impl& e, Change change) {
    return e.Settle([&] {
        const UndoHistory::Step step(e.history);
        return change();
    }());
}

}  // namespace engine
