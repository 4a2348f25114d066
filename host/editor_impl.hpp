// The editor's state and its text operations, shared by the engine's files:
// editor.cpp (the text operations, loading and saving), editor_undo.cpp (the
// history), editor_block.cpp (the block, the clipboard, pasting),
// editor_search.cpp, editor_control.cpp (the EditorControl commands) and
// editor_keys.cpp (the editor's own keys).
//
// Every change of the text goes through the primitives below (SpliceLine,
// SetLineText, SetLineEol, InsertLine, EraseLine), which record it in the
// open undo step and drop the block.
//
// Invariant, checked in debug builds after every command and key:
// - there is at least one line;
// - only the last line may lack an end-of-line (so the saved bytes split
//   back into the same lines);
// - the cursor's line is in [0, LineCount) and its column is not negative;
//   the column may stand beyond the end of the line;
// - a block, if any, has start < end, both within the text;
// - the history: no step is open between commands, the state is that of the
//   last undo step, a redo step starts from it, and the memory counted is
//   what the steps hold, within the bounds.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/editor.hpp"
#include "host/line_store.hpp"

namespace host {

// The cursor may stand this far beyond the end of a line and no further, so
// that a far-off cursor cannot make a typed character pad the line with an
// unbounded run of blanks; within the text of a long line it goes anywhere.
inline constexpr int kMaxBeyondEnd = 1 << 20;

bool IsBlank(char c);

// A column of any size brought into the range of an int column.
inline int ClampColumn(long long pos) {
    return static_cast<int>(std::clamp<long long>(pos, 0, 0x7FFFFFFF));
}

// One recorded change, as what puts it back.
struct UndoOp {
    enum class Kind : std::uint8_t {
        SetLine,     // line `line` becomes `content` again
        RemoveLine,  // line `line` was inserted: remove it
        AddLine,     // `content` was removed from before line `line`: insert it again
    };
    Kind kind;
    int line;
    StoredLine content;
};

// One step of the history: its changes, put back from the last to the first.
struct UndoRecord {
    std::vector<UndoOp> ops;
    TextPosition before;        // the cursor before the step
    TextPosition after;         // and after it
    std::uint64_t state = 0;    // the document state the step leads to
    std::uint64_t from = 0;     // the state it starts from
    std::size_t bytes = 0;      // the memory it holds
    int typedLine = -1;         // a step of plain typing on this line, else -1
};

struct Editor::Impl {
    Impl(std::string name, std::string bytes, CodePage page, EditorOptions opts);

    std::string fileName;
    LineStore lines;
    CodePage table;
    EditorOptions options;
    int curLine = 0;
    int curPos = 0;
    int topLine = 0;
    int leftPos = 0;
    bool overtype = false;
    int redrawCount = 0;
    std::vector<ControlCall> log;
    PluginInput pluginInput;  // offers fed-back records to the plug-ins first
    int feedDepth = 0;        // nested fed-back records being offered
    int controlDepth = 0;     // EditorControl calls under way: their changes are a plug-in's
    bool typing = false;      // the editor's own key is typing a character

    std::optional<Block> block;
    Clipboard* clipboard = nullptr;
    std::size_t unkept = 0;  // characters that key pastes left out, for the UI

    // The history (editor_undo.cpp).
    std::deque<UndoRecord> undo;
    std::deque<UndoRecord> redo;
    UndoRecord open;         // the step being recorded
    int stepDepth = 0;       // UndoStep scopes open
    bool openChanged = false;  // the open step changed the text
    bool openLost = false;   // the open step outgrew the bound and is not kept
    bool openJoinsRun = false;  // the open step is typing that joins the last step
    bool typingMayMerge = false;  // the last step was typing that the next may join
    std::uint64_t nextState = 1;
    std::uint64_t state = 0;       // the document's state: 0 as loaded
    std::uint64_t savedState = 0;  // the state MarkSaved marked
    std::size_t historyBytes = 0;  // held by the undo and redo steps

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
    // Replaces `count` bytes at `pos` of line n with `insert` and `fill`
    // copies of `fillChar`.
    void SpliceLine(int n, std::size_t pos, std::size_t count, std::string_view insert,
                    std::size_t fill = 0, char fillChar = ' ');
    void SetLineText(int n, std::string_view text);
    void SetLineEol(int n, Eol eol);
    void InsertLine(int n, std::string_view text, Eol eol);
    void EraseLine(int n);

    // ---- Text operations (editor.cpp) --------------------------------------
    // The end-of-line a new line gets: that of the first line that has one,
    // else CR LF. Only the last line may lack one, so line 0 decides.
    Eol DefaultEol() const;
    // Screen column of character column `pos` of line n, tabs expanded.
    int TabPos(int n, int pos) const;
    // Character column of screen column `tabPos` of line n.
    int PosOfTabPos(int n, int tabPos) const;

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
    void TypeChar(char c, int count = 1);
    // Delete: the character at the cursor, or at or beyond the end the join of the next line.
    void DeleteChar();
    // Delete to the end of the word at the cursor (non-blanks, then blanks).
    void DeleteWordRight();
    // Backspace: the character before the cursor; at column 0 the join to the line above.
    void Backspace();
    // Delete the word before the cursor (blanks, then non-blanks).
    void DeleteWordLeft();
    void DeleteLine();

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

    // ---- Navigation (editor_keys.cpp) --------------------------------------
    void WordLeft();
    void WordRight();
    // Moves the window by `lines` (negative: up) and the cursor's line with
    // it, so that the cursor keeps its row on the screen.
    void ScrollWindow(int lines);

    // ---- History (editor_undo.cpp) -----------------------------------------
    void BeginStep();
    void EndStep();
    // Ends the open step where it stands and opens a fresh one, so that a
    // save point never cuts through a step.
    void FlushOpenStep();
    // Takes back what the open step changed so far: an undo or a redo key
    // that a plug-in reacted to (a wrap on any key with a character) acts
    // on the steps before it, as the user means.
    void RollBackOpenStep();
    // Before line n changes: whether the open step must keep its present
    // content (false when the step already can put it back).
    bool MustRecordLine(int n);
    void RecordInsert(int n);
    void RecordErase(int n, StoredLine removed);
    void PushOp(UndoOp op);
    bool UndoStepBack();
    bool RedoStep();
    bool TakeStep(std::deque<UndoRecord>& from, std::deque<UndoRecord>& to, bool undoing);
    // Drops the oldest steps while the history is beyond its bounds.
    void TrimHistory();
    void ClearHistory();
};

// Runs `change` (a call that changes the text) as a step of its own, or as
// part of the one open, then keeps the cursor in the window and checks the
// invariant.
template <class Change>
auto AsOneStep(Editor::Impl& e, Change change) {
    e.BeginStep();
    struct End {
        Editor::Impl& e;
        ~End() { e.EndStep(); }
    };
    auto result = [&] {
        const End end{e};
        return change();
    }();
    e.ScrollToCursor();
    e.CheckInvariant();
    return result;
}

// Keeps an undo step open for its lifetime: every public entry point that
// changes the text holds one, so that a change outside any UndoStep is a
// step of its own and one inside joins it.
class StepScope {
public:
    explicit StepScope(Editor::Impl& e) : e_(e) { e_.BeginStep(); }
    ~StepScope() { e_.EndStep(); }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

private:
    Editor::Impl& e_;
};

}  // namespace host
