// The editor operations: every read and write of the edited text goes
// through the host's EditorControl service here.
#include "module/editor/edit_state.hpp"

#include <algorithm>
#include <cstddef>

#include "module/editor/quote_prefix.hpp"
#include "module/plugin/host_info.hpp"
#include "module/settings/settings.hpp"

namespace marten {

EditStateRecord EditState{};

namespace {

// ProcessEditorInput has made sure that the host handed EditorControl over.
int CallEditor(int command, void* param) { return HostInfo.EditorControl(command, param); }

// The same steps for both directions of the character-table conversion.
Text Convert(int command, const Text& s) {
    Text bytes = s;  // the host converts in place; data() of an empty text is a zero byte
    EditorConvertText& rec = EditState.ConvertRec;
    rec.Text = bytes.data();
    rec.TextLength = static_cast<int>(bytes.size());
    CallEditor(command, &rec);
    // The conversion maps byte for byte; a host that reported more than it
    // was given must not make the module read past the text.
    std::size_t length = rec.TextLength < 0 ? 0 : static_cast<std::size_t>(rec.TextLength);
    if (rec.Text == nullptr) return bytes;
    if (rec.Text == bytes.data()) {
        // Converted where it lay (the usual case): the copy is the result.
        bytes.resize(std::min(length, bytes.size()));
        return bytes;
    }
    return Text(rec.Text, length);
}

}  // namespace

void RefreshInfo() { CallEditor(ECTL_GETINFO, &EditState.InfoRec); }

bool FetchLine(int n, Text& buffer) {
    EditorGetString& rec = EditState.GetRec;
    rec.StringNumber = n;
    const int answer = CallEditor(ECTL_GETSTRING, &rec);
    if (answer == 0 || rec.StringText == nullptr || rec.StringLength <= 0) {
        buffer.clear();
        return answer != 0;
    }
    // Exactly StringLength bytes: the host's text need not end in a zero byte.
    buffer.assign(rec.StringText, static_cast<std::size_t>(rec.StringLength));
    return true;
}

void StoreLine(int n, Text& buffer) {
    // No conversion: outside the OEM table the editor's conversions are lossy,
    // and a line sent there and back would lose the characters OEM lacks.
    EditorSetString& rec = EditState.SetRec;
    rec.StringNumber = n;
    rec.StringText = buffer.data();
    rec.StringEOL = nullptr;  // the line keeps its end-of-line
    rec.StringLength = static_cast<int>(buffer.size());
    CallEditor(ECTL_SETSTRING, &rec);
}

void ExamineLine() {
    EditState.WorkLine = EditorToOem(EditState.EditorLine);
    EditState.OwnRules = OemToEditor(Text(kRuleCharacters, kRuleCharacterCount));
    KeepOwnRuleCharacters(EditState.WorkLine, EditState.EditorLine, EditState.OwnRules);
}

char OwnBlank() { return EditState.OwnRules.size() > 1 ? EditState.OwnRules[1] : ' '; }

void PlaceCursor(int col) {
    EditState.PosRec = EditorSetPosition{-1, col, -1, -1, -1, -1};
    CallEditor(ECTL_SETPOSITION, &EditState.PosRec);
}

void BreakLine() {
    EditState.IndentFlag = Settings.EnableAutoIndent != 0 ? 1 : 0;
    CallEditor(ECTL_INSERTSTRING, &EditState.IndentFlag);
}

void Redraw() { CallEditor(ECTL_REDRAW, nullptr); }

void FeedKey(char ch) {
    INPUT_RECORD& rec = EditState.KeyRec;
    rec = INPUT_RECORD{};
    rec.EventType = KEY_EVENT;
    rec.Event.KeyEvent.bKeyDown = 1;
    rec.Event.KeyEvent.wRepeatCount = 1;
    rec.Event.KeyEvent.uChar.AsciiChar = ch;
    CallEditor(ECTL_PROCESSINPUT, &rec);
}

Text EditorToOem(const Text& s) { return Convert(ECTL_EDITORTOOEM, s); }

Text OemToEditor(const Text& s) { return Convert(ECTL_OEMTOEDITOR, s); }

}  // namespace marten
