// The editor's text and its undo history, in one class so that the text
// changes only where the history sees it: the lines are read by anyone,
// but every change goes through the calls below, inside a Step (the one
// way to open and close a step of the history), and is recorded there.
//
// Each step is the list of changes that put the text back (UndoOp).
// Undoing a step applies them from the last to the first and collects what
// puts them back again, which is the step that Redo applies; so undo and
// redo are one operation, and a line's old text is moved, never copied,
// from the document to the history and back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_store.hpp"
#include "engine/positions.hpp"

namespace engine {

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
    TextPosition before;      // the cursor before the step
    TextPosition after;       // and after it
    std::uint64_t state = 0;  // the document state the step leads to
    std::uint64_t from = 0;   // the state it starts from
    std::size_t bytes = 0;    // the memory it holds
    int typedLine = -1;       // a step of plain typing on this line, else -1
};

class UndoHistory {
public:
    // What the history asks of the editor: where the cursor stands (a step
    // remembers it before and after), and whether the change being made is
    // plain typing (the editor's own typed character), which joins a run.
    struct Editing {
        std::function<TextPosition()> cursor;
        std::function<bool()> typing;
    };

    // Splits `bytes` into the lines of the text (see LineStore).
    UndoHistory(std::string bytes, Editing editing);
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    const LineStore& Lines() const { return lines_; }

    // Keeps a step open for its lifetime: every change made meanwhile goes
    // back with one undo. Steps nest, and the outermost one counts; a step
    // in which nothing changed leaves no trace.
    class Step {
    public:
        explicit Step(UndoHistory& history);
        ~Step();
        Step(Step&&) = delete;  // nor copied: it closes its step exactly once

    private:
        UndoHistory& history_;
    };
    bool StepOpen() const { return depth_ > 0; }
    // What a Step does, for a guard that cannot hold one: each Begin is
    // ended by exactly one End.
    void Begin();
    void End();

    // ---- Changes of the text (only inside a Step) --------------------------
    // Replaces `count` bytes at `pos` of line n with `insert` and `fill`
    // copies of `fillChar`.
    void Splice(int n, std::size_t pos, std::size_t count, std::string_view insert,
                std::size_t fill = 0, char fillChar = ' ');
    void SetText(int n, std::string_view text);
    void SetEol(int n, Eol eol);
    void Insert(int n, std::string_view text, Eol eol);
    void Erase(int n);

    // ---- Undo and redo -----------------------------------------------------
    struct Outcome {
        bool taken = false;                  // a step was taken back (or done again)
        std::optional<TextPosition> cursor;  // where the cursor goes, when the text changed
    };
    // Takes back the last step; inside a step it first takes back what that
    // step changed so far (what a plug-in did on the undo key itself).
    Outcome Undo();
    // Does again the step that the last Undo took back.
    Outcome Redo();
    bool CanUndo() const { return !undo_.empty() || (depth_ > 0 && openChanged_); }
    bool CanRedo() const { return !redo_.empty(); }
    std::size_t Steps() const { return undo_.size() + redo_.size(); }
    std::size_t Bytes() const { return bytes_; }

    // True exactly when the text is not at the point MarkSaved marked.
    bool Modified() const { return state_ != savedState_ || (depth_ > 0 && openChanged_); }
    // Marks the present text as saved; an open step is ended where it
    // stands, so that a save point never cuts through a step.
    void MarkSaved();

    // Debug builds: no change reached the lines but through the history;
    // between commands, the state is that of the last step, a redo step
    // starts from it, and the memory counted is what the steps hold.
    void CheckInvariant() const;

private:
    void Flush();
    // Takes back what the open step changed so far; its cursor before, if it changed anything.
    std::optional<TextPosition> RollBackOpenStep();
    // Before line n changes: whether the open step must keep its present
    // content (false when the step already can put it back).
    bool MustRecordLine(int n);
    void PushOp(UndoOp op);
    Outcome TakeStep(std::deque<UndoRecord>& from, std::deque<UndoRecord>& to, bool undoing);
    // Drops the oldest steps while the history is beyond its bounds.
    void Trim();
    void Clear();

    LineStore lines_;
    Editing editing_;
    std::uint64_t linesSeen_ = 0;  // the lines' version after the history's last change

    std::deque<UndoRecord> undo_;
    std::deque<UndoRecord> redo_;
    UndoRecord open_;              // the step being recorded
    int depth_ = 0;                // Step guards open
    bool openChanged_ = false;     // the open step changed the text
    bool openLost_ = false;        // the open step outgrew the bound and is not kept
    bool openJoinsRun_ = false;    // the open step is typing that joins the last step
    bool typingMayMerge_ = false;  // the last step was typing that the next may join
    std::uint64_t nextState_ = 1;
    std::uint64_t state_ = 0;       // the document's state: 0 as loaded
    std::uint64_t savedState_ = 0;  // the state MarkSaved marked
    std::size_t bytes_ = 0;         // held by the undo and redo steps
};

}  // namespace engine
