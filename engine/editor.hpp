// The editor engine: lines of bytes each with its own end-of-line, a
// cursor that may stand beyond the end of a line, the file's character
// table, with undo, stream blocks, the clipboard and search. It stands in
// for the file manager's editor wherever a plug-in relies on it, and is the
// whole of marten-edit's editing. It speaks its own language: the editor's
// commands (Command, Run), typed characters (Type) and the operations a
// plug-in asks for (SetLine, BreakLine, SetPosition, ...), its columns typed
// by kind (positions.hpp). It knows no plug-in interface: the host's
// adapters translate their interface's records and calls into these, and
// the host's key table says which key runs which command.
//
// The editor's commands, as the file manager's editor has them:
//   typing, Tab, Enter, Delete, Backspace, the deletes by word     edit at the cursor
//   Left, Right, Up, Down, Home, End, PageUp, PageDown,
//   DocStart, DocEnd, WordLeft, WordRight                          move
//   ScrollUp, ScrollDown                         scroll the window by a line
//   a move run with `extend`                     extends a stream block
//   SelectAll, Copy, Cut, Paste, Undo, Redo, DeleteLine, Overtype
//   Delete, Backspace with a block      remove it with "Del removes blocks", else act at the cursor
//   a character, Enter, Tab with a block         replace it (unless persistent)
// A plain move drops the block unless blocks are persistent. Columns that
// the user reads and types (the title line, go-to) are screen columns, tabs
// expanded; a place inside a tab's width stands on the tab, and Up, Down,
// PageUp and PageDown keep the screen column.
//
// What a user interface does with it:
// - every key goes through the host (the plug-ins first, as the host's
//   adapter for their interface delivers it), which runs the command or
//   types the character here when no plug-in consumed it;
// - a terminal's paste goes to InsertUtf8Block, never through the host;
//   after each key TakeUnkeptCount says whether a paste left characters
//   out, and the answer of InsertUtf8Block does the same for a paste;
// - the clipboard is the UI's own Clipboard, handed over with SetClipboard;
// - drawing reads LineAt, SelectionOn, TopLine, LeftPos, CurLine, CurPos,
//   Overtype and Modified, and Columns for the screen column of a place;
//   the window (TopLine, LeftPos) is the engine's alone, and the UI sizes
//   it (SetWindowSize) to the cells it draws the text in;
// - the search dialogs call Find, ReplaceFound and ReplaceAll with the text
//   converted with FromUtf8; go-to is GoTo; saving is WriteTo, then
//   MarkSaved.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/codepage.hpp"
#include "engine/columns.hpp"
#include "engine/commands.hpp"
#include "engine/line_store.hpp"
#include "engine/positions.hpp"

namespace engine {

class Clipboard;

// A line as the editor holds it. Both views stay valid until that line
// changes (other lines may come and go meanwhile) or the editor goes, and
// each is followed by a zero byte, so that its data() is a C string.
struct LineView {
    std::string_view text;  // bytes in the editor's table, without the end-of-line
    std::string_view eol;   // "\r\n", "\n", "\r" or "" (only the last line)
};

// An owned copy of a line, for callers that keep lines across edits.
struct Line {
    std::string text;
    std::string eol;
    Line() = default;
    Line(std::string lineText, std::string lineEol)
        : text(std::move(lineText)), eol(std::move(lineEol)) {}
    Line(LineView view)
        : text(view.text), eol(view.eol) {}  // NOLINT: a copy of what the editor shows
};

// A stream block: the text from `start` up to (not including) `end`, line
// breaks included; start < end, and both lie within the text.
struct Block {
    TextPosition start;
    TextPosition end;
    friend bool operator==(const Block&, const Block&) = default;
};

// The part of one line inside the block: byte columns [from, to), or with
// `to` -1 from `from` through the line's end and its line break.
struct LineSelection {
    int from = 0;
    int to = -1;
    friend bool operator==(const LineSelection&, const LineSelection&) = default;
};

struct SearchOptions {
    bool matchCase = false;   // else letters match without regard to case (Latin and Cyrillic)
    bool wholeWords = false;  // a match has no letter, digit or '_' right before or after it
    bool reverse = false;     // towards the start of the text
    // Forward, a match may begin at the cursor (a new search, F7) unless
    // this is set (Shift+F7, or past a match that was skipped): then it must
    // begin after it. Reverse, a match always begins before the cursor.
    bool next = false;
};

// The characters besides blanks that end a word for Ctrl+Left, Ctrl+Right
// and the deletes by word, as the file manager's editor has them by default.
inline constexpr std::string_view kDefaultWordDelimiters = "~!%^&*()+|{}:\"<>?`-=\\[];',./";

struct EditorOptions {
    int tabSize = 8;
    // A plain move keeps the block, and typing goes in beside it; off, a
    // move drops it and a typed character, Enter or Tab replaces it.
    bool persistentBlocks = false;
    // Del and BkSp remove the block; off, they act at the cursor and the
    // block stays.
    bool delRemovesBlocks = false;
    std::string wordDelimiters{kDefaultWordDelimiters};
    // The editor's own auto-indent, for Enter and for a line break that a
    // plug-in allows it for; off by default, as in the file manager.
    bool autoIndent = false;
    int windowWidth = 80;
    int windowHeight = 24;
};

// The undo history keeps at most this many steps and this much memory
// (texts of the lines a step replaced, and the records themselves); beyond
// either, the oldest steps are dropped. A single step larger than the memory
// bound (a replace-all over a huge file) is not kept, and the steps before
// it go too. The current text is never touched by the bound.
inline constexpr std::size_t kUndoMaxSteps = 10000;
inline constexpr std::size_t kUndoMaxBytes = std::size_t{32} << 20;

class Editor {
public:
    // Takes the file's bytes (pass them moved: the editor keeps them, and its
    // unchanged lines are views of them) and splits them into lines, each
    // keeping its own end-of-line.
    Editor(std::string fileName, std::string bytes, CodePage table = CodePage::Oem866,
           EditorOptions options = {});
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // ---- Document ----------------------------------------------------------
    const std::string& FileName() const;
    // The name the document is known by from now on (after a save under
    // another name): what ECTL_GETINFO reports, so that a plug-in's test of
    // the file name follows it. The text and its history stay as they are.
    void SetFileName(std::string fileName);
    int LineCount() const;
    LineView LineAt(int n) const;  // 0 <= n < LineCount()
    // Hands the document out as it is saved, piece by piece, in order (no
    // whole copy is made); stops and answers false as soon as `write` does.
    bool WriteTo(const std::function<bool(std::string_view)>& write) const;
    std::string Bytes() const;  // the document as it is saved, in one string
    // True exactly when the document is not at the point of its history
    // that MarkSaved marked (undoing back to that point makes it false).
    bool Modified() const;
    void MarkSaved();

    // Character table: the bytes stay as in the file, the table says how they read.
    CodePage Table() const;
    void SetTable(CodePage table);

    // ---- Cursor and window (0-based; the column may lie beyond the end) ----
    int CurLine() const;
    int CurPos() const;  // a byte column (ByteColumn's count)
    // A line past the end goes to the last line.
    void SetCursor(int line, int pos);
    // The columns of line n (0 <= n < LineCount()) in the file's table and
    // the editor's tab size: how a byte column reads on the screen, in
    // UTF-16 units and in characters. Valid until that line changes.
    LineColumns Columns(int n) const;
    // The screen column the cursor stands in.
    ScreenColumn CursorScreenColumn() const;
    // The cursor, the window and the block in one look, as a plug-in asks
    // for them on every key.
    struct Status {
        int lineCount;
        int curLine;
        int curPos;  // a byte column
        ScreenColumn curScreenColumn;
        int topLine;
        ScreenColumn leftPos;
        bool overtype;
        std::optional<int> blockStartLine;  // none without a block
    };
    Status CurrentStatus() const;
    // The cursor as the user reads it (the title line) and types it (go-to,
    // +LINE:COL): counted from 1, the column a screen column.
    TypedPosition TypedCursor() const;
    // Goes to a place the user typed; a line past the end is the last line,
    // a column inside a tab stands on the tab. A line off the screen comes
    // to its top row.
    void GoTo(TypedPosition place);
    bool Overtype() const;
    int TopLine() const;
    ScreenColumn LeftPos() const;
    const EditorOptions& Options() const;
    void SetWindowSize(int width, int height);
    // Brings the window to the cursor where a plug-in moved one away from
    // the other, as any key the editor handles does.
    void KeepCursorInView();
    // Moves the window by `lines` (negative: up) as Ctrl+Up and Ctrl+Down
    // do, the cursor's line with it so that the cursor keeps its row on the
    // screen; down only until the last line stands at the bottom.
    void Scroll(int lines);

    // ---- Undo --------------------------------------------------------------
    // Everything that changes the text between the construction and the end
    // of an UndoStep is one step of the history: the host makes one around
    // a plug-in's handling of a key and the editor's own where its real
    // host does, so that a wrap of forty lines goes back with one undo,
    // cursor included.
    // Steps nest (the outermost one counts). A change made outside any
    // UndoStep is a step of its own. Consecutive plain characters typed on
    // one line with no plug-in change among them join into one step.
    class UndoStep {
    public:
        explicit UndoStep(Editor& editor);
        ~UndoStep();
        UndoStep(const UndoStep&) = delete;
        UndoStep& operator=(const UndoStep&) = delete;

    protected:
        Editor& editor_;
    };
    // Takes back the last step (text, every line's end-of-line and the
    // cursor as they were before it); false when there is none. Inside an
    // UndoStep it first takes back what that step changed so far (what a
    // plug-in did on the undo key itself).
    bool Undo();
    // Does again the step that the last Undo took back; any new change
    // forgets what could be redone. False when there is nothing to redo.
    bool Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    struct HistorySize {
        std::size_t steps;  // undo and redo steps kept
        std::size_t bytes;  // the memory they hold
    };
    HistorySize UndoHistorySize() const;

    // ---- Stream block ------------------------------------------------------
    std::optional<Block> Selection() const;
    // The part of line n inside the block, if any, as a UI draws it and as
    // ECTL_GETSTRING reports it (SelStart, SelEnd).
    std::optional<LineSelection> SelectionOn(int line) const;
    bool IsSelected(int line, int pos) const;
    // Selects the text between two places (in either order), each brought
    // into the text first; an empty range selects nothing.
    void Select(TextPosition from, TextPosition to);
    void SelectAll();
    void ClearSelection();
    // The block's bytes, its line breaks as "\n"; empty without a block.
    std::string SelectedText() const;
    // Removes the block's text (one undo step); the cursor goes to where it
    // began. False without a block.
    bool DeleteSelection();

    // ---- Clipboard and pasting ---------------------------------------------
    // The clipboard that copy, cut and paste use; the editor does not own
    // it. Without one those keys do nothing.
    void SetClipboard(Clipboard* clipboard);
    bool CopySelection();  // false without a block or a clipboard
    bool CutSelection();
    // Inserts the clipboard's text as InsertUtf8Block does; false when the
    // clipboard is empty or missing.
    bool Paste();
    // Inserts `bytes` (the editor's table) at the cursor as one block, in
    // place of the selection if there is one: no character goes through the
    // plug-ins, every line end (CR LF, LF or CR) becomes the document's own,
    // the cursor ends after the block, and it is one undo step. This is what
    // a terminal's bracketed paste uses.
    void InsertBlock(std::string_view bytes);
    // The same for UTF-8 text; characters the table lacks (and bytes that
    // are no UTF-8) are left out, and their number is the answer.
    std::size_t InsertUtf8Block(std::string_view utf8);
    // Characters that pastes by key (Shift+Ins, Ctrl+V) had to leave out
    // since the last call; the UI asks after each input record and tells
    // the user.
    std::size_t TakeUnkeptCount();

    // ---- Search and replace ------------------------------------------------
    // `query` and `replacement` are bytes of the editor's table; matches lie
    // within one line, and a query that is empty or holds a line break finds
    // nothing. Finds the nearest match from the cursor as `options` say and
    // puts the cursor at its start, as the file manager does: nothing is
    // selected, so typing goes in front of the match. Answers the match;
    // none (and nothing changed) when there is none.
    std::optional<Block> Find(std::string_view query, const SearchOptions& options);
    // Replaces the block, a match that the replace loop selected to show it
    // (one undo step). The cursor goes after the replacement, or before it
    // in a reverse search, so that the next Find does not look inside it.
    // False without a block on one line.
    bool ReplaceFound(std::string_view replacement, const SearchOptions& options);
    // Replaces every match from the cursor to the end (reverse: every match
    // that begins before the cursor), as one undo step; the number replaced.
    int ReplaceAll(std::string_view query, std::string_view replacement,
                   const SearchOptions& options);

    // ---- The editor's own commands and typing -------------------------------
    // Runs `command` `repeat` times, as the user's key does, as one undo
    // step; with `extend` a move extends the block from where the cursor
    // stood (Shift with the key), without it a move drops the block unless
    // blocks are persistent.
    void Run(Command command, bool extend = false, int repeat = 1);
    // Types `character` `repeat` times at the cursor, in insert or overtype
    // as the editor stands, as one undo step; a block gives way to it unless
    // blocks are persistent. Characters typed one after another on a line
    // join one step, unless a plug-in typed them (PluginChanges).
    void Type(TableChar character, int repeat = 1);

    // ---- What a plug-in does -------------------------------------------------
    // While one is open, every change is a plug-in's: part of the undo step
    // open (a step of its own otherwise), never typing of the user's that a
    // run of typed characters joins. A host opens one around each command
    // a plug-in sends and each key it feeds back.
    class PluginChanges : public UndoStep {
    public:
        explicit PluginChanges(Editor& editor);
        ~PluginChanges();
    };
    // The end-of-line a new line gets: that of the first line, else CR LF.
    Eol DefaultEol() const;
    // Sets the text of line n and, when `eol` is given, its end-of-line; a
    // line inside the document that is given none gets the default, since it
    // would merge with the next one when the file is saved. False (nothing
    // changed) for a line that does not exist.
    bool SetLine(int n, std::string_view text, std::optional<Eol> eol = std::nullopt);
    // Breaks the cursor's line at the cursor as Enter does; the editor's own
    // auto-indent acts only when `allowAutoIndent` and the option is on.
    void BreakLine(bool allowAutoIndent);
    // Removes the cursor's line (the last one too; the only line loses its
    // text and its end-of-line).
    void DeleteLine();
    // The character at the cursor, or at or beyond the end the join of the next line.
    void DeleteChar();
    // Inserts `text` at the cursor, line breaks (CR LF, LF, CR) included;
    // the cursor ends after it.
    void InsertText(std::string_view text);
    // What SetPosition changes; what is left out stays.
    struct PositionChange {
        std::optional<int> line;                   // a line past either end is the nearest
        std::optional<int> byteColumn;             // on the cursor's (new) line
        std::optional<ScreenColumn> screenColumn;  // used when byteColumn is left out
        std::optional<int> topLine;
        std::optional<int> leftPos;  // the window's first screen column
        std::optional<bool> overtype;
    };
    void SetPosition(const PositionChange& change);

    // The engine's state, defined in editor_impl.hpp for the engine's own files.
    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace engine
