#include "engine/undo_history.hpp"

#include <cassert>
#include <utility>

#include "engine/editor.hpp"

namespace engine {

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

UndoHistory::UndoHistory(std::string bytes, Editing editing)
    : lines_(std::move(bytes)), editing_(std::move(editing)), linesSeen_(lines_.Version()) {}

// ---------------------------------------------------------------------------
// Steps
// ---------------------------------------------------------------------------

UndoHistory::Step::Step(UndoHistory& history) : history_(history) { history_.Begin(); }
UndoHistory::Step::~Step() { history_.End(); }

void UndoHistory::Begin() {
    if (depth_++ != 0) return;
    open_ = UndoRecord{};
    open_.before = editing_.cursor();
    openChanged_ = false;
    openLost_ = false;
    openJoinsRun_ = false;
}

void UndoHistory::End() {
    assert(depth_ > 0);
    if (--depth_ != 0) return;

    UndoRecord step = std::exchange(open_, UndoRecord{});
    if (!std::exchange(openChanged_, false)) return;
    if (std::exchange(openLost_, false)) {
        // The steps before it no longer fit the text: none can be undone.
        Clear();
        state_ = nextState_++;
        return;
    }
    if (std::exchange(openJoinsRun_, false)) {
        undo_.back().after = editing_.cursor();
        return;
    }
    step.after = editing_.cursor();
    for (const UndoRecord& old : redo_) bytes_ -= old.bytes;
    redo_.clear();
    step.from = state_;
    step.state = state_ = nextState_++;
    step.ops.shrink_to_fit();
    step.bytes = RecordBytes(step);
    typingMayMerge_ = step.typedLine >= 0;
    bytes_ += step.bytes;
    undo_.push_back(std::move(step));
    Trim();
}

// Ends the open step where it stands and opens a fresh one at the same depth.
void UndoHistory::Flush() {
    if (depth_ == 0) return;
    const int depth = depth_;
    depth_ = 1;
    End();
    Begin();
    depth_ = depth;
}

void UndoHistory::Trim() {
    while (!undo_.empty() &&
           (undo_.size() + redo_.size() > kUndoMaxSteps || bytes_ > kUndoMaxBytes)) {
        bytes_ -= undo_.front().bytes;
        undo_.pop_front();
    }
}

void UndoHistory::Clear() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
    typingMayMerge_ = false;
}

void UndoHistory::MarkSaved() {
    Flush();
    savedState_ = state_;
    typingMayMerge_ = false;
}

// ---------------------------------------------------------------------------
// Recording
// ---------------------------------------------------------------------------

bool UndoHistory::MustRecordLine(int n) {
    assert(depth_ > 0 && "the text changes only inside a step");
    // Which kind of step this is: plain typing on one line (the editor's
    // own typed character, not one a plug-in fed back or wrote), or any other.
    const bool plainTyping = editing_.typing();
    if (!openChanged_) {
        openChanged_ = true;
        open_.typedLine = plainTyping ? n : -1;
        // Typing on where the last run of typing ended joins that run, whose
        // step already puts the line back: nothing to record.
        if (plainTyping && typingMayMerge_ && !undo_.empty() && undo_.back().typedLine == n &&
            undo_.back().after == open_.before) {
            openJoinsRun_ = true;
            return false;
        }
    } else if (openJoinsRun_) {
        if (plainTyping && n == open_.typedLine) return false;
        // Something else changes the text within this step: the run ends
        // here, and the step goes on as one of its own.
        const TextPosition cursor = editing_.cursor();
        undo_.back().after = cursor;
        open_.before = cursor;
        open_.typedLine = -1;
        openJoinsRun_ = false;
        typingMayMerge_ = false;
    } else if (!plainTyping || open_.typedLine != n) {
        open_.typedLine = -1;
    }
    if (openLost_) return false;
    // The step already puts line n back: it changed it before, or made it.
    if (!open_.ops.empty()) {
        const UndoOp& last = open_.ops.back();
        if (last.line == n &&
            (last.kind == UndoOp::Kind::SetLine || last.kind == UndoOp::Kind::RemoveLine))
            return false;
    }
    return true;
}

void UndoHistory::PushOp(UndoOp op) {
    open_.bytes += OpBytes(op);
    open_.ops.push_back(std::move(op));
    if (open_.bytes > kUndoMaxBytes) {
        openLost_ = true;
        std::vector<UndoOp>().swap(open_.ops);
        open_.bytes = 0;
    }
}

void UndoHistory::Splice(int n, std::size_t pos, std::size_t count, std::string_view insert,
                         std::size_t fill, char fillChar) {
    if (MustRecordLine(n)) PushOp({UndoOp::Kind::SetLine, n, lines_.At(n).Duplicate()});
    lines_.At(n).Splice(pos, count, insert, fill, fillChar);
    linesSeen_ = lines_.Version();
}

void UndoHistory::SetText(int n, std::string_view text) {
    StoredLine& line = lines_.At(n);
    if (MustRecordLine(n)) {
        // The old text moves into the step as it is: nothing is copied but the new text.
        StoredLine old = std::move(line);
        line = StoredLine::Copy(text, old.GetEol());
        PushOp({UndoOp::Kind::SetLine, n, std::move(old)});
    } else {
        line.Splice(0, line.Size(), text);
    }
    linesSeen_ = lines_.Version();
}

void UndoHistory::SetEol(int n, Eol eol) {
    if (lines_.At(n).GetEol() == eol) return;
    if (MustRecordLine(n)) PushOp({UndoOp::Kind::SetLine, n, lines_.At(n).Duplicate()});
    lines_.At(n).SetEol(eol);
    linesSeen_ = lines_.Version();
}

void UndoHistory::Insert(int n, std::string_view text, Eol eol) {
    MustRecordLine(n);
    if (!openLost_) PushOp({UndoOp::Kind::RemoveLine, n, {}});
    lines_.Insert(n, StoredLine::Copy(text, eol));
    linesSeen_ = lines_.Version();
}

void UndoHistory::Erase(int n) {
    MustRecordLine(n);
    StoredLine removed = lines_.Take(n);
    linesSeen_ = lines_.Version();
    if (openLost_) return;
    // A line that this step inserted right before: nothing to put back.
    if (!open_.ops.empty() && open_.ops.back().kind == UndoOp::Kind::RemoveLine &&
        open_.ops.back().line == n) {
        open_.bytes -= OpBytes(open_.ops.back());
        open_.ops.pop_back();
        return;
    }
    PushOp({UndoOp::Kind::AddLine, n, std::move(removed)});
}

// ---------------------------------------------------------------------------
// Undo and redo
// ---------------------------------------------------------------------------

std::optional<TextPosition> UndoHistory::RollBackOpenStep() {
    if (depth_ == 0 || !openChanged_) return std::nullopt;
    if (openLost_ || openJoinsRun_) {
        // Typing that joined the last step goes back with that step; a lost
        // step has nothing to put it back with: it stays, and the history goes.
        Flush();
        return std::nullopt;
    }
    Replay(lines_, std::move(open_.ops));
    linesSeen_ = lines_.Version();
    const TextPosition cursor = open_.before;
    open_ = UndoRecord{};
    open_.before = cursor;
    openChanged_ = false;
    return cursor;
}

// Takes the last step off `from`, applies it, and puts the step that
// reverses it on `to`; the cursor goes where it stood before the step
// (undoing) or after it (redoing).
UndoHistory::Outcome UndoHistory::TakeStep(std::deque<UndoRecord>& from, std::deque<UndoRecord>& to,
                                           bool undoing) {
    Outcome outcome;
    outcome.cursor = RollBackOpenStep();
    typingMayMerge_ = false;
    if (from.empty()) return outcome;
    UndoRecord step = std::move(from.back());
    from.pop_back();
    bytes_ -= step.bytes;
    step.ops = Replay(lines_, std::move(step.ops));
    linesSeen_ = lines_.Version();
    step.bytes = RecordBytes(step);
    bytes_ += step.bytes;
    state_ = undoing ? step.from : step.state;
    outcome.taken = true;
    outcome.cursor = undoing ? step.before : step.after;
    to.push_back(std::move(step));
    Trim();
    return outcome;
}

UndoHistory::Outcome UndoHistory::Undo() { return TakeStep(undo_, redo_, true); }
UndoHistory::Outcome UndoHistory::Redo() { return TakeStep(redo_, undo_, false); }

void UndoHistory::CheckInvariant() const {
#ifndef NDEBUG
    assert(linesSeen_ == lines_.Version() && "the text changed behind the history's back");
    assert(depth_ >= 0);
    if (depth_ != 0) return;
    if (!undo_.empty()) assert(undo_.back().state == state_);
    if (!redo_.empty()) assert(redo_.back().from == state_);
    assert(undo_.size() + redo_.size() <= kUndoMaxSteps);
    assert(bytes_ <= kUndoMaxBytes || undo_.empty());
    if (undo_.size() + redo_.size() <= 64) {
        std::size_t held = 0;
        for (const UndoRecord& step : undo_) held += step.bytes;
        for (const UndoRecord& step : redo_) held += step.bytes;
        assert(held == bytes_);
    }
#endif
}

}  // namespace engine
