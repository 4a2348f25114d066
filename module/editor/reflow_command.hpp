// The reflow command in a face's editor: reads the lines the rules ask for,
// runs them, and applies their edits to the editor as one undo step, with
// the cursor left where the rules say. Written once over a face's editor
// type, which offers its host's editor commands under the names below.
//
// Lines are inserted and deleted only through the host's own line commands
// (never as typed keys), so no key reaches the module's key handling and the
// editor's auto-indent adds nothing: only the edit's text lands.
#pragma once

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "module/editor/reflow.hpp"

namespace marten {

// What a face's editor offers the command. Line numbers count from 0.
template <class E>
concept ReflowEditor = requires(E& ed, std::int64_t n,
                                std::basic_string_view<typename E::Char> text) {
    // The number of lines, and the cursor's line.
    { ed.LineCount() } -> std::convertible_to<std::int64_t>;
    { ed.CurLine() } -> std::convertible_to<std::int64_t>;
    // The lines a marked block touches; unset without a block.
    { ed.MarkedLines() } -> std::same_as<std::optional<LineRange>>;
    // Line n as the editor holds it, valid until the text next changes.
    { ed.ViewLine(n) } -> std::same_as<std::basic_string_view<typename E::Char>>;
    // The changes: each opens the undo bracket if it is not open yet.
    ed.ReplaceLine(n, text);
    ed.InsertLineBefore(n);  // an empty line, without indent
    ed.DeleteLine(n);
    ed.SetCursor(n, n);  // line, column in the line's units
    ed.CloseBracket();   // closes the bracket the changes opened, if any
};

// The lines of a face's editor as the rules read them.
template <ReflowEditor Editor>
class EditorLineSource {
public:
    explicit EditorLineSource(Editor& ed)
        : ed_(ed), count_(static_cast<std::size_t>(std::max<std::int64_t>(ed.LineCount(), 0))) {}
    std::size_t LineCount() const { return count_; }
    std::basic_string_view<typename Editor::Char> Line(std::size_t i) {
        return ed_.ViewLine(static_cast<std::int64_t>(i));
    }

private:
    Editor& ed_;
    std::size_t count_;
};

// Applies the edits from the last to the first, so that each one's line
// numbers still name its lines. Lines a paragraph gains or loses come and
// go just before its last line: its first lines, which a reflow often
// leaves as they were, stay where they are and are not written again, and
// its last line stays the same line of the editor with its own end of line
// (the text's last line keeps having none).
template <ReflowEditor Editor, class C>
void ApplyReflowEdits(Editor& ed, const ReflowResult<C>& result) {
    for (auto edit = result.edits.rbegin(); edit != result.edits.rend(); ++edit) {
        const auto first = static_cast<std::int64_t>(edit->firstLine);
        const std::size_t newCount = edit->LineCount();
        const std::size_t oldCount = edit->oldCount;
        // Where lines come and go: before the old last line, or before the
        // new one when the paragraph shrinks.
        const auto at = first + static_cast<std::int64_t>(std::min(newCount, oldCount)) - 1;
        for (std::size_t k = newCount; k < oldCount; ++k) ed.DeleteLine(at);
        for (std::size_t k = oldCount; k < newCount; ++k) ed.InsertLineBefore(at);
        // Lines [oldCount - 1, newCount - 1) are the new empty ones.
        const std::size_t newFrom = oldCount - 1;
        const std::size_t newTo = newCount > oldCount ? newCount - 1 : newFrom;
        for (std::size_t k = 0; k < newCount; ++k) {
            const auto n = first + static_cast<std::int64_t>(k);
            const bool old = k < newFrom || k >= newTo;
            if (old && ed.ViewLine(n) == edit->Line(k)) continue;  // left as it was
            ed.ReplaceLine(n, edit->Line(k));
        }
    }
    if (result.moveCursor) {
        ed.SetCursor(static_cast<std::int64_t>(result.cursorLine),
                     static_cast<std::int64_t>(result.cursorColumn));
    }
}

// What one run of the command did.
struct ReflowOutcome {
    bool changed = false;        // the text changed (one undo step)
    std::size_t leftNarrow = 0;  // paragraphs left: too little room after the prefix
};

// Runs the command at the cursor of `ed` (or on the paragraphs its block
// touches) with the margin and breaking the settings give.
template <ReflowEditor Editor>
ReflowOutcome RunReflowCommand(Editor& ed, std::int64_t rIndent, bool balanced) {
    EditorLineSource<Editor> source(ed);
    ReflowRequest request{};
    request.cursorLine = static_cast<std::size_t>(std::max<std::int64_t>(ed.CurLine(), 0));
    request.block = ed.MarkedLines();
    request.margin = ReflowMargin(rIndent);
    request.mode = balanced ? ReflowMode::Balanced : ReflowMode::Greedy;
    const auto result = Reflow(source, request);
    try {
        ApplyReflowEdits(ed, result);
    } catch (...) {
        ed.CloseBracket();
        throw;
    }
    ed.CloseBracket();
    return {result.Changed(), result.leftNarrow};
}

// The command as a face's menu entry or macro call runs it in `ed`, a fresh
// editor of the face: nothing when no editor answers; the editor redrawn
// when the text changed, and `reportLeft` told how many paragraphs were left
// for want of room. True when the text changed.
template <ReflowEditor Editor, class ReportLeft>
bool RunReflowEntry(Editor& ed, std::int64_t rIndent, bool balanced, ReportLeft reportLeft) {
    ed.RefreshInfo();
    if (ed.LineCount() <= 0) return false;  // no editor answered
    const ReflowOutcome outcome = RunReflowCommand(ed, rIndent, balanced);
    if (outcome.changed) ed.Redraw();
    if (outcome.leftNarrow > 0) reportLeft(outcome.leftNarrow);
    return outcome.changed;
}

}  // namespace marten
