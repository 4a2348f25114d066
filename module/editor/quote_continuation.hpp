// Quote continuation: keeps quotation prefixes right when the user breaks or
// joins quoted lines. Each branch only prepares the text; the editor then
// carries out the key itself (breaks the line at the cursor, or joins two
// lines), so the module never moves the cursor here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "module/editor/quote_prefix.hpp"

namespace marten {

namespace detail {

// Removes the prefix of editorLine when it and the neighbouring line in
// peerLine both hold a mark, and writes the line back; a line that keeps its
// text is not written. The neighbour is searched as the editor holds it.
template <class Editor>
void JoinUnderQuotation(Editor& ed, std::int64_t line) {
    ed.ExamineLine();
    if (!LastMark(ed.workLine).Found() || !LastMark(ed.peerLine).Found()) return;
    const std::size_t length = PrefixLength(ed.workLine);
    if (length == 0) return;
    ed.editorLine.erase(0, length);
    ed.StoreLine(line, ed.editorLine);
}

}  // namespace detail

// Enter inside the text of a quoted line: inserts the line's prefix (leading
// blanks trimmed) at the cursor, so that the line the editor opens starts with it.
template <class Editor>
void QuoteEnter(Editor& ed) {
    // The cursor information is the one fetched at the start of the event.
    if (!ed.FetchLine(-1, ed.editorLine)) return;
    ed.ExamineLine();

    const auto& line = ed.workLine;
    const MarkPosition last = LastMark(line);
    // Every '>' before the cursor, the cursor on a character of the line.
    if (!last.Found() || ed.CurPos() < 0) return;
    const Column cursor{static_cast<std::size_t>(ed.CurPos())};
    if (last.At() >= cursor || cursor.value >= line.size() || FirstMark(line) > kLastFirstMark) {
        return;
    }

    ed.quotePrefix = TrimmedPrefix(line, ViewOf(ed.editorLine), ed.OwnBlank());
    ed.editorLine.insert(cursor.value, ed.quotePrefix);
    ed.StoreLine(-1, ed.editorLine);
}

// Delete at the very end of a line: removes the prefix of the line below when
// both lines are quoted, before the editor joins them.
template <class Editor>
void QuoteDelete(Editor& ed) {
    ed.RefreshInfo();
    // The cursor's line is fetched here only for its length.
    if (!ed.FetchLine(-1, ed.peerLine)) return;
    if (ed.CurPos() != ed.FetchedLength()) return;
    const std::int64_t below = ed.CurLine() + 1;
    // At the end of the last line there is nothing to join: leave the text as it is.
    if (!ed.FetchLine(below, ed.editorLine)) return;
    ed.FetchLine(-1, ed.peerLine);
    detail::JoinUnderQuotation(ed, below);
}

// Backspace at the start of a line (the caller has checked the column):
// removes that line's prefix when it and the line above are both quoted.
template <class Editor>
void QuoteBackspace(Editor& ed) {
    const std::int64_t above = ed.CurLine() - 1;
    // On the first line there is no line above to join to (and line number -1
    // would address the cursor's own line): leave the text as it is.
    if (above < 0) return;
    if (!ed.FetchLine(-1, ed.editorLine)) return;
    if (!ed.FetchLine(above, ed.peerLine)) return;
    detail::JoinUnderQuotation(ed, -1);
}

}  // namespace marten
