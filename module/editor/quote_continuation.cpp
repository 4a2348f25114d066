#include "module/editor/quote_continuation.hpp"

#include <cstdint>

#include "module/editor/edit_state.hpp"
#include "module/editor/quote_prefix.hpp"

namespace marten {

namespace {

// Removes the prefix of EditorLine when it and the neighbouring line in
// PeerLine both hold a mark, and writes the line back; a line that keeps its
// text is not written. The neighbour is searched as the editor holds it.
void JoinUnderQuotation(int line) {
    ExamineLine();
    if (!LastMark(EditState.WorkLine).Found() || !LastMark(EditState.PeerLine).Found()) return;
    const std::size_t length = PrefixLength(EditState.WorkLine);
    if (length == 0) return;
    EditState.EditorLine.erase(0, length);
    StoreLine(line, EditState.EditorLine);
}

}  // namespace

void QuoteEnter() {
    // The cursor information is the one fetched at the start of the event.
    if (!FetchLine(-1, EditState.EditorLine)) return;
    ExamineLine();

    const Text& line = EditState.WorkLine;
    const MarkPosition last = LastMark(line);
    // Every '>' before the cursor, the cursor on a character of the line.
    if (!last.Found() || EditState.InfoRec.CurPos < 0) return;
    const Column cursor{static_cast<std::size_t>(EditState.InfoRec.CurPos)};
    if (last.At() >= cursor || cursor.value >= line.size() || FirstMark(line) > kLastFirstMark) {
        return;
    }

    EditState.QuotePrefix = TrimmedPrefix(line, EditState.EditorLine, OwnBlank());
    EditState.EditorLine.insert(cursor.value, EditState.QuotePrefix);
    StoreLine(-1, EditState.EditorLine);
}

void QuoteDelete() {
    RefreshInfo();
    // The cursor's line is fetched here only for its length.
    if (!FetchLine(-1, EditState.PeerLine)) return;
    if (EditState.InfoRec.CurPos != EditState.GetRec.StringLength) return;

    const int below = EditState.InfoRec.CurLine + 1;
    // At the end of the last line there is nothing to join: leave the text as it is.
    if (!FetchLine(below, EditState.EditorLine)) return;
    FetchLine(-1, EditState.PeerLine);
    JoinUnderQuotation(below);
}

void QuoteBackspace() {
    const int above = EditState.InfoRec.CurLine - 1;
    // On the first line there is no line above to join to (and line number -1
    // would address the cursor's own line): leave the text as it is.
    if (above < 0) return;
    if (!FetchLine(-1, EditState.EditorLine)) return;
    if (!FetchLine(above, EditState.PeerLine)) return;
    JoinUnderQuotation(-1);
}

}  // namespace marten
