// The editor's state and its text operations (editor.cpp), shared by the
// command handling (editor_control.cpp) and the key handling (editor_keys.cpp).
//
// Invariant, checked in debug builds after every change:
// - there is at least one line;
// - every end-of-line is "\r\n", "\n", "\r" or "", and only the last line
//   may have "" (so the saved bytes split back into the same lines);
// - the cursor's line is in [0, LineCount) and its column is not negative;
//   the column may stand beyond the end of the line.
#pragma once

#include <algorithm>
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
bool IsValidEol(std::string_view eol);

// A column of any size brought into the range of an int column.
inline int ClampColumn(long long pos) {
    return static_cast<int>(std::clamp<long long>(pos, 0, 0x7FFFFFFF));
}

struct Editor::Impl {
    Impl(std::string name, std::string_view bytes, CodePage page, EditorOptions opts);

    std::string fileName;
    LineStore lines;
    CodePage table;
    EditorOptions options;
    int curLine = 0;
    int curPos = 0;
    int topLine = 0;
    int leftPos = 0;
    bool overtype = false;
    bool modified = false;
    int redrawCount = 0;
    std::vector<ControlCall> log;
    PluginInput pluginInput;  // offers fed-back records to the plug-ins first
    int feedDepth = 0;        // nested fed-back records being offered

    Line& Cur() { return lines.At(curLine); }
    int CurLength() const { return static_cast<int>(lines.At(curLine).text.size()); }
    // The farthest column the cursor may take on its line.
    int ColumnLimit() const {
        return static_cast<int>(std::min<long long>(0x7FFFFFFF, 1LL * CurLength() + kMaxBeyondEnd));
    }

    // The end-of-line a new line gets: that of the first line that has one,
    // else CR LF. Only the last line may lack one, so line 0 decides.
    std::string DefaultEol() const;
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
    // Inserts `text` at the cursor, line breaks included; the cursor ends after it.
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
};

}  // namespace host
