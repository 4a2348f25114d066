// The editor operations: every read and write of the edited text goes
// through the host's EditorControl service here.
#include "module/ansi/ansi_editor.hpp"

#include <algorithm>
#include <cstddef>

#include "module/ansi/host_info.hpp"
#include "module/ansi/settings_store.hpp"
#include "module/editor/dispatch.hpp"
#include "module/editor/file_mask.hpp"
#include "module/editor/quote_prefix.hpp"

namespace marten::ansi {

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

bool FileMaskMatch(const Text& mask, const Text& name) {
    return AnyMaskItemMatches(mask, [&name](const Text& item) {
        return HostInfo.CmpName(item.c_str(), name.c_str(), 1) == 1;
    });
}

namespace {

// WorkLine := the editor's file name up to its zero byte, at most 255 characters.
void TakeFileName() {
    EditState.WorkLine.clear();
    const char* name = EditState.InfoRec.FileName;
    if (name == nullptr) return;
    std::size_t length = 0;
    while (length < static_cast<std::size_t>(kMaxMatchedNameLength) && name[length] != '\0') {
        ++length;
    }
    EditState.WorkLine.assign(name, length);
}

}  // namespace

int HandleKey(const KEY_EVENT_RECORD& key) {
    RefreshInfo();
    TakeFileName();
    if (!FileMaskMatch(TextSettings[kFileMask], EditState.WorkLine)) return 0;

    AnsiEditor ed;
    return RunFeatures(ed, key);
}

}  // namespace marten::ansi
