#include "module/unicode/unicode_editor.hpp"

#include <algorithm>

#include "module/editor/file_mask.hpp"
#include "module/unicode/settings_store.hpp"

namespace marten::unicode {

namespace {

// True while the module feeds a key back to the editor: its own nested call
// must leave that record to the editor.
bool feedingBack = false;

RememberedMaskTest<UnicodeText> maskTest;
UnicodeText currentName;  // the file name of the editor the key is for

}  // namespace

std::intptr_t UnicodeEditor::Call(unicode_api::EDITOR_CONTROL_COMMANDS command,
                                  std::intptr_t param1, void* param2) {
    return Host.EditorControl(id_, command, param1, param2);
}

void UnicodeEditor::RefreshInfo() {
    info_ = unicode_api::EditorInfo{};
    info_.StructSize = sizeof info_;
    if (Call(unicode_api::ECTL_GETINFO, 0, &info_) != 0 && id_ == unicode_api::CURRENT_EDITOR) {
        // The rest of the event goes to this editor, whatever takes the focus.
        id_ = info_.EditorID;
    }
}

bool UnicodeEditor::FetchLine(std::int64_t n, Line& buffer) {
    fetched_ = unicode_api::EditorGetString{};
    fetched_.StructSize = sizeof fetched_;
    fetched_.StringNumber = static_cast<std::intptr_t>(n);
    const std::intptr_t answer = Call(unicode_api::ECTL_GETSTRING, 0, &fetched_);
    if (answer == 0 || fetched_.StringText == nullptr || fetched_.StringLength <= 0) {
        buffer.clear();
        return answer != 0;
    }
    // Exactly StringLength units: the host's text need not be terminated.
    buffer.assign(fetched_.StringText, static_cast<std::size_t>(fetched_.StringLength));
    return true;
}

void UnicodeEditor::StoreLine(std::int64_t n, Line& buffer) {
    BeforeChange();
    // A null end-of-line would give a last line one it does not have: pass
    // the line's own.
    unicode_api::EditorGetString own{};
    own.StructSize = sizeof own;
    own.StringNumber = static_cast<std::intptr_t>(n);
    static const WChar kNone[] = {0};
    const WChar* eol = Call(unicode_api::ECTL_GETSTRING, 0, &own) != 0 && own.StringEOL != nullptr
                           ? own.StringEOL
                           : kNone;
    unicode_api::EditorSetString rec{};
    rec.StructSize = sizeof rec;
    rec.StringNumber = static_cast<std::intptr_t>(n);
    rec.StringLength = static_cast<std::intptr_t>(buffer.size());
    rec.StringText = buffer.data();
    rec.StringEOL = eol;
    Call(unicode_api::ECTL_SETSTRING, 0, &rec);
}

void UnicodeEditor::PlaceCursor(std::int64_t col) {
    unicode_api::EditorSetPosition rec{sizeof(unicode_api::EditorSetPosition),
                                       -1,
                                       static_cast<std::intptr_t>(col),
                                       -1,
                                       -1,
                                       -1,
                                       -1};
    Call(unicode_api::ECTL_SETPOSITION, 0, &rec);
}

void UnicodeEditor::BreakLine() {
    BeforeChange();
    int indent = Settings.EnableAutoIndent != 0 ? 1 : 0;
    Call(unicode_api::ECTL_INSERTSTRING, 0, &indent);
}

void UnicodeEditor::Redraw() { Call(unicode_api::ECTL_REDRAW, 0, nullptr); }

void UnicodeEditor::FeedKey(Char ch) {
    BeforeChange();
    INPUT_RECORD rec{};
    rec.EventType = KEY_EVENT;
    rec.Event.KeyEvent.bKeyDown = 1;
    rec.Event.KeyEvent.wRepeatCount = 1;
    rec.Event.KeyEvent.uChar.UnicodeChar = static_cast<WCHAR>(ch);
    // Fed as typed: the module's own nested call may act on it (a wrap).
    Call(unicode_api::ECTL_PROCESSINPUT, 0, &rec);
}

void UnicodeEditor::FetchFileName(UnicodeText& name) {
    // The room the buffer has already: typing in one editor asks once.
    name.resize(name.capacity());
    name[0] = 0;
    std::intptr_t needed =
        Call(unicode_api::ECTL_GETFILENAME, static_cast<std::intptr_t>(name.size()), name.data());
    if (needed > static_cast<std::intptr_t>(name.size())) {
        name.assign(static_cast<std::size_t>(needed), WChar(0));
        needed = Call(unicode_api::ECTL_GETFILENAME, needed, name.data());
        // A name that grew between the two answers was not copied.
        if (needed > static_cast<std::intptr_t>(name.size())) needed = 0;
    }
    if (needed <= 1) {
        name.clear();
        return;
    }
    const std::size_t room = static_cast<std::size_t>(needed - 1);
    name.resize(std::min(name.find(WChar(0)), room));
}

void UnicodeEditor::Undo(unicode_api::EDITOR_UNDOREDO_COMMANDS command) {
    unicode_api::EditorUndoRedo rec{sizeof(unicode_api::EditorUndoRedo), command};
    Call(unicode_api::ECTL_UNDOREDO, 0, &rec);
}

void UnicodeEditor::BeforeChange() {
    if (bracketOpen_) return;
    Undo(unicode_api::EUR_BEGIN);
    bracketOpen_ = true;
}

void UnicodeEditor::FinishChange(const INPUT_RECORD& key) {
    {
        Raised guard(feedingBack);
        INPUT_RECORD rec = key;
        Call(unicode_api::ECTL_PROCESSINPUT, 0, &rec);
    }
    CloseBracket();
}

void UnicodeEditor::CloseBracket() {
    if (!bracketOpen_) return;
    bracketOpen_ = false;
    Undo(unicode_api::EUR_END);
}

bool FileMaskMatch(const UnicodeText& mask, const UnicodeText& name) {
    if (Host.FSF == nullptr || Host.FSF->ProcessName == nullptr) return false;
    return AnyMaskItemMatches(mask, [&name](const UnicodeText& item) {
        UnicodeText subject = name;  // ProcessName takes a writable name
        return Host.FSF->ProcessName(item.c_str(), subject.data(), 0,
                                     unicode_api::PN_CMPNAME | unicode_api::PN_SKIPPATH) != 0;
    });
}

void ForgetActivation() { maskTest.Forget(); }

std::intptr_t HandleKey(const INPUT_RECORD& rec) {
    if (feedingBack) return 0;
    NestedLines<UnicodeText> lines;
    UnicodeEditor ed(lines.Get());
    ed.RefreshInfo();
    ed.FetchFileName(currentName);
    if (!maskTest.Matches(TextSettings[kFileMask], currentName, FileMaskMatch)) return 0;
    return RunInOneUndoStep(ed, rec.Event.KeyEvent, rec);
}

}  // namespace marten::unicode
