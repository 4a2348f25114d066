// The editor's undo history: each step is the list of changes that put the
// text back (UndoOp), recorded by the primitives in editor.cpp as the text
// changes. Undoing a step applies them from the last to the first and
// collects what puts them back again, which is the step that Redo applies;
// so undo and redo are one operation, and a line's old text is moved, never
// copied, from the document to the history and back.
#include <algorithm>
#include <cassert>
#include <utility>

#include "host/editor.hpp"
#include "host/editor_impl.hpp"

namespace host {

namespace {

std::size_t OpBytes(const UndoOp& op) { return sizeof(UndoOp) + op.content.HeapBytes(); }

std::size_t RecordBytes(const UndoRecord& step) {
    std::size_t bytes = sizeof(UndoRecord) + step.ops.capacity() * sizeof(UndoOp);
    for (const UndoOp& op : step.ops) bytes += op.content.HeapBytes();
    return bytes;
}

// Applies `ops` from the last to the first and answers the changes that undo
// what they did, in the order in which they must be recorded.
std::vector<UndoOp> Replay(LineStore& lines, std::vector<UndoOp> ops) {
    std::vector<UndoOp> inverse;
    inverse.reserve(ops.size());
    for (auto op = ops.rbegin(); op != ops.rend(); ++op) {
        switch (op->kind) {
        case UndoOp::Kind::SetLine:
            std::swap(lines.At(op->line), op->content);
            inverse.push_back({UndoOp::Kind::SetLine, op->line, std::move(op->content)});
            break;
        case UndoOp::Kind::RemoveLine:
            inverse.push_back({UndoOp::Kind::AddLine, op->line, lines.Take(op->line)});
            break;
        case UndoOp::Kind::AddLine:
            lines.Insert(op->line, std::move(op->content));
            inverse.push_back({UndoOp::Kind::RemoveLine, op->line, {}});
            break;
        }
    }
    return inverse;
}

}  // namespace

// ---------------------------------------------------------------------------
// Recording
// ---------------------------------------------------------------------------

void Editor::Impl::BeginStep() {
    if (stepDepth++ != 0) return;
    open = UndoRecord{};
    open.before = Cursor();
    openChanged = false;
    openLost = false;
    openJoinsRun = false;
}

void Editor::Impl::EndStep() {
    assert(stepDepth > 0);
    if (--stepDepth != 0) return;

    UndoRecord step = std::exchange(open, UndoRecord{});
    if (!std::exchange(openChanged, false)) return;
    if (std::exchange(openLost, false)) {
        // The steps before it no longer fit the text: none can be undone.
        ClearHistory();
        state = nextState++;
        return;
    }
    if (std::exchange(openJoinsRun, false)) {
        undo.back().after = Cursor();
        return;
    }
    step.after = Cursor();
    for (const UndoRecord& old : redo) historyBytes -= old.bytes;
    redo.clear();
    step.from = state;
    step.state = state = nextState++;
    step.ops.shrink_to_fit();
    step.bytes = RecordBytes(step);
    typingMayMerge = step.typedLine >= 0;
    historyBytes += step.bytes;
    undo.push_back(std::move(step));
    TrimHistory();
}

void Editor::Impl::TrimHistory() {
    while (!undo.empty() && (undo.size() + redo.size() > kUndoMaxSteps || historyBytes > kUndoMaxBytes)) {
        historyBytes -= undo.front().bytes;
        undo.pop_front();
    }
}

void Editor::Impl::FlushOpenStep() {
    if (stepDepth == 0) return;
    const int depth = stepDepth;
    stepDepth = 1;
    EndStep();
    BeginStep();
    stepDepth = depth;
}

void Editor::Impl::RollBackOpenStep() {
    if (stepDepth == 0 || !openChanged) return;
    if (openLost || openJoinsRun) {
        // Typing that joined the last step goes back with that step; a lost
        // step has nothing to put it back with: it stays, and the history goes.
        FlushOpenStep();
        return;
    }
    Replay(lines, std::move(open.ops));
    const TextPosition cursor = open.before;
    open = UndoRecord{};
    open.before = cursor;
    openChanged = false;
    block.reset();
    SetCursor(cursor.line, cursor.pos);
}

bool Editor::Impl::MustRecordLine(int n) {
    assert(stepDepth > 0);
    // Which kind of step this is: plain typing on one line (the editor's
    // own typed character, not one a plug-in fed back or wrote), or any other.
    const bool plainTyping = typing && controlDepth == 0;
    if (!openChanged) {
        openChanged = true;
        open.typedLine = plainTyping ? n : -1;
        // Typing on where the last run of typing ended joins that run, whose
        // step already puts the line back: nothing to record.
        if (plainTyping && typingMayMerge && !undo.empty() && undo.back().typedLine == n &&
            undo.back().after == open.before) {
            openJoinsRun = true;
            return false;
        }
    } else if (openJoinsRun) {
        if (plainTyping && n == open.typedLine) return false;
        // Something else changes the text within this step: the run ends
        // here, and the step goes on as one of its own.
        undo.back().after = Cursor();
        open.before = Cursor();
        open.typedLine = -1;
        openJoinsRun = false;
        typingMayMerge = false;
    } else if (!plainTyping || open.typedLine != n) {
        open.typedLine = -1;
    }
    if (openLost) return false;
    // The step already puts line n back: it changed it before, or made it.
    if (!open.ops.empty()) {
        const UndoOp& last = open.ops.back();
        if (last.line == n && (last.kind == UndoOp::Kind::SetLine || last.kind == UndoOp::Kind::RemoveLine))
            return false;
    }
    return true;
}

void Editor::Impl::RecordInsert(int n) {
    MustRecordLine(n);
    if (!openLost) PushOp({UndoOp::Kind::RemoveLine, n, {}});
}

void Editor::Impl::RecordErase(int n, StoredLine removed) {
    MustRecordLine(n);
    if (openLost) return;
    // A line that this step inserted right before: nothing to put back.
    if (!open.ops.empty() && open.ops.back().kind == UndoOp::Kind::RemoveLine && open.ops.back().line == n) {
        open.bytes -= OpBytes(open.ops.back());
        open.ops.pop_back();
        return;
    }
    PushOp({UndoOp::Kind::AddLine, n, std::move(removed)});
}

void Editor::Impl::PushOp(UndoOp op) {
    open.bytes += OpBytes(op);
    open.ops.push_back(std::move(op));
    if (open.bytes > kUndoMaxBytes) {
        openLost = true;
        std::vector<UndoOp>().swap(open.ops);
        open.bytes = 0;
    }
}

void Editor::Impl::ClearHistory() {
    undo.clear();
    redo.clear();
    historyBytes = 0;
    typingMayMerge = false;
}

// ---------------------------------------------------------------------------
// Undo and redo
// ---------------------------------------------------------------------------

// Takes the last step off `from`, applies it, and puts the step that
// reverses it on `to`; the cursor goes where it stood before the step
// (undoing) or after it (redoing).
bool Editor::Impl::TakeStep(std::deque<UndoRecord>& from, std::deque<UndoRecord>& to, bool undoing) {
    RollBackOpenStep();
    typingMayMerge = false;
    if (from.empty()) return false;
    UndoRecord step = std::move(from.back());
    from.pop_back();
    historyBytes -= step.bytes;
    step.ops = Replay(lines, std::move(step.ops));
    step.bytes = RecordBytes(step);
    historyBytes += step.bytes;
    state = undoing ? step.from : step.state;
    block.reset();
    const TextPosition cursor = undoing ? step.before : step.after;
    to.push_back(std::move(step));
    TrimHistory();
    SetCursor(cursor.line, cursor.pos);
    return true;
}

bool Editor::Impl::UndoStepBack() { return TakeStep(undo, redo, true); }
bool Editor::Impl::RedoStep() { return TakeStep(redo, undo, false); }

// ---------------------------------------------------------------------------
// Editor
// ---------------------------------------------------------------------------

Editor::UndoStep::UndoStep(Editor& editor) : editor_(editor) { editor_.impl_->BeginStep(); }
Editor::UndoStep::~UndoStep() { editor_.impl_->EndStep(); }

bool Editor::Undo() {
    const bool done = impl_->UndoStepBack();
    impl_->ScrollToCursor();
    impl_->CheckInvariant();
    return done;
}

bool Editor::Redo() {
    const bool done = impl_->RedoStep();
    impl_->ScrollToCursor();
    impl_->CheckInvariant();
    return done;
}

bool Editor::CanUndo() const { return !impl_->undo.empty() || impl_->openChanged; }
bool Editor::CanRedo() const { return !impl_->redo.empty(); }

Editor::HistorySize Editor::UndoHistorySize() const {
    return {impl_->undo.size() + impl_->redo.size(), impl_->historyBytes};
}

bool Editor::Modified() const {
    return impl_->state != impl_->savedState || (impl_->stepDepth > 0 && impl_->openChanged);
}

void Editor::MarkSaved() {
    impl_->FlushOpenStep();
    impl_->savedState = impl_->state;
    impl_->typingMayMerge = false;
}

}  // namespace host
