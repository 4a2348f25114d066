// The module-wide editor scratch state and the editor operations through
// which every feature reads and writes the edited text. No member carries
// meaning from one event to the next.
#pragma once

#include <cstdint>

#include "api/plugin_api.hpp"
#include "module/runtime/heap.hpp"

namespace marten {

struct EditStateRecord {
    EditorInfo InfoRec;           // filled by RefreshInfo
    EditorGetString GetRec;       // StringNumber set by FetchLine; text read back
    EditorSetString SetRec;       // all four fields set by StoreLine
    EditorSetPosition PosRec;     // all six fields set by PlaceCursor
    INPUT_RECORD KeyRec;          // the record FeedKey hands to the editor
    EditorConvertText ConvertRec; // used only by the table conversions
    Text WorkLine;     // the line a feature edits; in the wrap, the text still to place
    Text PeerLine;     // the neighbouring line, or in the wrap the line being written
    Text QuotePrefix;  // the prefix built by the quotation features
    std::int32_t IndentFlag;  // the value whose address BreakLine hands to the host
};

extern EditStateRecord EditState;

// ECTL_GETINFO into EditState.InfoRec.
void RefreshInfo();

// ECTL_GETSTRING of line `n` (-1: the cursor's line); `buffer` becomes exactly
// StringLength bytes of the host's text. Returns false, leaving `buffer`
// empty, when the host answers that the line does not exist.
bool FetchLine(int n, Text& buffer);

// ECTL_SETSTRING of line `n` with OemToEditor(buffer), keeping its end-of-line.
void StoreLine(int n, const Text& buffer);

// ECTL_SETPOSITION: column `col` on the cursor's line, every other field unchanged.
void PlaceCursor(int col);

// ECTL_INSERTSTRING with the indent flag set to EnableAutoIndent.
void BreakLine();

// ECTL_REDRAW.
void Redraw();

// ECTL_PROCESSINPUT of a bare key-down record carrying `ch`.
void FeedKey(char ch);

// `s` converted from the editor's table to the OEM code page, and back.
Text EditorToOem(const Text& s);
Text OemToEditor(const Text& s);

// `s` with its bytes in reverse order.
Text ReverseText(const Text& s);

}  // namespace marten
