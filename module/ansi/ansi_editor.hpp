// The editor of the 1.x interface: the module-wide editor scratch state and
// the editor operations through which every feature reads and writes the
// edited text (no member carries meaning from one event to the next), the
// activation test by file mask, and the handling of one key record.
#pragma once

#include <cstdint>

#include "api/ansi_api.hpp"
#include "module/runtime/text.hpp"

namespace marten::ansi {

struct EditStateRecord {
    EditorInfo InfoRec;            // filled by RefreshInfo
    EditorGetString GetRec;        // StringNumber set by FetchLine; text read back
    EditorSetString SetRec;        // all four fields set by StoreLine
    EditorSetPosition PosRec;      // all six fields set by PlaceCursor
    INPUT_RECORD KeyRec;           // the record FeedKey hands to the editor
    EditorConvertText ConvertRec;  // used only by the table conversions
    // The line a feature edits, as the editor holds it in its own table: what
    // the feature changes and writes back, every other byte untouched.
    Text EditorLine;
    // The OEM form of EditorLine that the rules read (see ExamineLine); in
    // the wrap, the text still to place. Same length as EditorLine.
    Text WorkLine;
    Text PeerLine;            // the neighbouring line, or in the wrap the line being written
    Text QuotePrefix;         // the prefix built by the quotation features, in the editor's table
    Text OwnRules;            // the editor's bytes for '>', blank and TAB (kRuleCharacters)
    std::int32_t IndentFlag;  // the value whose address BreakLine hands to the host
};

extern EditStateRecord EditState;

// ECTL_GETINFO into EditState.InfoRec.
void RefreshInfo();

// ECTL_GETSTRING of line `n` (-1: the cursor's line); `buffer` becomes exactly
// StringLength bytes of the host's text. Returns false, leaving `buffer`
// empty, when the host answers that the line does not exist.
bool FetchLine(int n, Text& buffer);

// ECTL_SETSTRING of line `n` with `buffer` as it stands (text in the
// editor's own table), keeping the line's end-of-line. The record's text is
// not const, so the host gets the buffer itself.
void StoreLine(int n, Text& buffer);

// WorkLine := EditorToOem(EditorLine), in which a quote mark, blank or TAB
// stands only where EditorLine holds the editor's own byte for it: the rules
// then see only the marks and blanks that the user's text really has. Also
// fills OwnRules, the editor's bytes for those characters (OemToEditor).
void ExamineLine();

// The editor's byte for a blank, as the last ExamineLine found it.
char OwnBlank();

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

// The editor as the features see it: its lines as strings of the
// interface's characters, the scratch lines the features work in, and the
// operations above. This one serves the 1.x interface through EditState;
// the features are templates over an editor of this shape.
struct AnsiEditor {
    using Char = char;
    using Line = Text;

    Line& editorLine = EditState.EditorLine;
    Line& workLine = EditState.WorkLine;
    Line& peerLine = EditState.PeerLine;
    Line& quotePrefix = EditState.QuotePrefix;

    void RefreshInfo() { ansi::RefreshInfo(); }
    std::int64_t CurLine() const { return EditState.InfoRec.CurLine; }
    std::int64_t CurPos() const { return EditState.InfoRec.CurPos; }
    // The StringLength of the last line fetched.
    std::int64_t FetchedLength() const { return EditState.GetRec.StringLength; }
    bool FetchLine(std::int64_t n, Line& buffer) {
        return ansi::FetchLine(static_cast<int>(n), buffer);
    }
    void StoreLine(std::int64_t n, Line& buffer) { ansi::StoreLine(static_cast<int>(n), buffer); }
    void ExamineLine() { ansi::ExamineLine(); }
    Char OwnBlank() const { return ansi::OwnBlank(); }
    void PlaceCursor(std::int64_t col) { ansi::PlaceCursor(static_cast<int>(col)); }
    void BreakLine() { ansi::BreakLine(); }
    void Redraw() { ansi::Redraw(); }
    void FeedKey(Char ch) { ansi::FeedKey(ch); }
};

// True when `name` matches one item of `mask` by the host's name comparison,
// the directory part of `name` left out. Without the host's service, nothing matches.
bool FileMaskMatch(const Text& mask, const Text& name);

// The longest part of the editor's file name that takes part in the activation test.
inline constexpr int kMaxMatchedNameLength = 255;

// ProcessEditorInput's work on one key event, once the host's services are
// known to be there: the activation test by file mask, then the features.
int HandleKey(const KEY_EVENT_RECORD& key);

}  // namespace marten::ansi
