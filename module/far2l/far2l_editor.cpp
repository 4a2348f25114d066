#include "module/far2l/far2l_editor.hpp"

#include <algorithm>

#include "module/editor/file_mask.hpp"
#include "module/far2l/key_translation.hpp"

namespace marten::far2l {

namespace {

// True while the module feeds the typed key back to the editor: its own
// nested call must leave that record to the editor.
bool feedingBack = false;

RememberedMaskTest<WideText> maskTest;
WideText keyFileName;  // the file name of the editor the key is for

}  // namespace

int Far2lEditor::Call(far2l_api::EDITOR_CONTROL_COMMANDS command, void* param) {
    return Host.EditorControl(command, param);
}

void Far2lEditor::RefreshInfo() {
    info_ = far2l_api::EditorInfo{};
    Call(far2l_api::ECTL_GETINFO, &info_);
}

bool Far2lEditor::FetchLine(std::int64_t n, Line& buffer) {
    far2l_api::EditorGetString rec{};
    rec.StringNumber = static_cast<int>(n);
    const int answer = Call(far2l_api::ECTL_GETSTRING, &rec);
    fetchedLength_ = answer != 0 ? rec.StringLength : 0;
    if (answer == 0 || rec.StringText == nullptr || rec.StringLength <= 0) {
        buffer.clear();
        return answer != 0;
    }
    // Exactly StringLength characters: the host's text need not be terminated.
    buffer.assign(rec.StringText, static_cast<std::size_t>(rec.StringLength));
    return true;
}

void Far2lEditor::StoreLine(std::int64_t n, Line& buffer) {
    BeforeChange();
    far2l_api::EditorSetString rec{};
    rec.StringNumber = static_cast<int>(n);
    rec.StringText = buffer.c_str();
    rec.StringEOL = nullptr;
    rec.StringLength = static_cast<int>(buffer.size());
    Call(far2l_api::ECTL_SETSTRING, &rec);
}

void Far2lEditor::PlaceCursor(std::int64_t col) {
    far2l_api::EditorSetPosition rec{-1, static_cast<int>(col), -1, -1, -1, -1};
    Call(far2l_api::ECTL_SETPOSITION, &rec);
}

void Far2lEditor::BreakLine() {
    BeforeChange();
    int indent = Settings.EnableAutoIndent != 0 ? 1 : 0;
    Call(far2l_api::ECTL_INSERTSTRING, &indent);
}

void Far2lEditor::Redraw() { Call(far2l_api::ECTL_REDRAW, nullptr); }

void Far2lEditor::FeedKey(Char ch) {
    BeforeChange();
    far2l_api::INPUT_RECORD rec{};
    rec.EventType = KEY_EVENT;
    rec.Event.KeyEvent.bKeyDown = 1;
    rec.Event.KeyEvent.wRepeatCount = 1;
    rec.Event.KeyEvent.uChar.UnicodeChar = ch;
    // Fed as typed: the module's own nested call may act on it (a wrap).
    Call(far2l_api::ECTL_PROCESSINPUT, &rec);
}

void Far2lEditor::FetchFileName(WideText& name) {
    name.clear();
    const int size = Call(far2l_api::ECTL_GETFILENAME, nullptr);
    if (size <= 1) return;
    // The room for the name and its terminator, as the host counted it.
    name.assign(static_cast<std::size_t>(size), L'\0');
    if (Call(far2l_api::ECTL_GETFILENAME, name.data()) <= 0) {
        name.clear();
        return;
    }
    name.resize(std::min(name.find(L'\0'), name.size()));
}

void Far2lEditor::Undo(far2l_api::EDITOR_UNDOREDO_COMMANDS command) {
    far2l_api::EditorUndoRedo rec{};
    rec.Command = command;
    Call(far2l_api::ECTL_UNDOREDO, &rec);
}

void Far2lEditor::BeforeChange() {
    if (bracketOpen_) return;
    Undo(far2l_api::EUR_BEGIN);
    bracketOpen_ = true;
}

void Far2lEditor::FinishChange(const far2l_api::INPUT_RECORD& key) {
    {
        Raised guard(feedingBack);
        far2l_api::INPUT_RECORD rec = key;
        Call(far2l_api::ECTL_PROCESSINPUT, &rec);
    }
    CloseBracket();
}

void Far2lEditor::CloseBracket() {
    if (!bracketOpen_) return;
    bracketOpen_ = false;
    Undo(far2l_api::EUR_END);
}

bool FileMaskMatch(const WideText& mask, const WideText& name) {
    if (Host.FSF == nullptr || Host.FSF->ProcessName == nullptr) return false;
    const DWORD flags = far2l_api::PN_CMPNAME | far2l_api::PN_SKIPPATH;
    return AnyMaskItemMatches(mask, [&name, flags](const WideText& item) {
        WideText subject = name;  // ProcessName takes a writable name
        return Host.FSF->ProcessName(item.c_str(), subject.data(), 0, flags) != 0;
    });
}

void ForgetActivation() { maskTest.Forget(); }

int HandleKey(const far2l_api::INPUT_RECORD& rec) {
    if (feedingBack) return 0;
    NestedLines<WideText> lines;
    Far2lEditor ed(lines.Get());
    ed.RefreshInfo();
    ed.FetchFileName(keyFileName);
    if (!maskTest.Matches(TextSettings[kFileMask], keyFileName, FileMaskMatch)) return 0;
    return RunInOneUndoStep(ed, RulesKey(rec.Event.KeyEvent), rec);
}

}  // namespace marten::far2l
