#include "module/editor/quote_continuation.hpp"

#include <cstdint>

#include "module/editor/edit_state.hpp"
#include "module/editor/features.hpp"
#include "module/editor/quote_prefix.hpp"

namespace marten {

void QuoteEnter() {
    // The cursor information is the one fetched at the start of the event.
    if (!FetchLine(-1, EditState.WorkLine)) return;
    EditState.WorkLine = EditorToOem(EditState.WorkLine);

    const Text& line = EditState.WorkLine;
    const int last = LastMark(line);
    const int first = FirstMark(line);
    const std::int64_t cursor = EditState.InfoRec.CurPos;
    // Every '>' before the cursor, the cursor on a character of the line.
    if (last == 0 || last > cursor || cursor >= static_cast<std::int64_t>(line.size()) ||
        first > kMaxFirstMarkColumn) {
        return;
    }

    EditState.QuotePrefix = TrimmedPrefix(line);
    EditState.WorkLine.insert(static_cast<std::size_t>(cursor), EditState.QuotePrefix);
    StoreLine(-1, EditState.WorkLine);
}

void QuoteDelete() {
    RefreshInfo();
    // The cursor's line is fetched here only for its length.
    if (!FetchLine(-1, EditState.PeerLine)) return;
    if (EditState.InfoRec.CurPos != EditState.GetRec.StringLength) return;

    const int below = EditState.InfoRec.CurLine + 1;
    // At the end of the last line there is nothing to join: leave the text as it is.
    if (!FetchLine(below, EditState.WorkLine)) return;
    FetchLine(-1, EditState.PeerLine);
    EditState.WorkLine = EditorToOem(EditState.WorkLine);

    // The cursor's line is only searched for a mark, so it is not converted.
    if (LastMark(EditState.WorkLine) > 0 && LastMark(EditState.PeerLine) > 0) {
        RemovePrefix(EditState.WorkLine);
    }
    StoreLine(below, EditState.WorkLine);
}

void QuoteBackspace() {
    const int above = EditState.InfoRec.CurLine - 1;
    // On the first line there is no line above to join to (and line number -1
    // would address the cursor's own line): leave the text as it is.
    if (above < 0) return;
    if (!FetchLine(-1, EditState.WorkLine)) return;
    if (!FetchLine(above, EditState.PeerLine)) return;
    EditState.WorkLine = EditorToOem(EditState.WorkLine);

    if (LastMark(EditState.WorkLine) > 0 && LastMark(EditState.PeerLine) > 0) {
        RemovePrefix(EditState.WorkLine);
    }
    StoreLine(-1, EditState.WorkLine);
}

}  // namespace marten
