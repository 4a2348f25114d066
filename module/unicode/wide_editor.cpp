#include "module/unicode/wide_editor.hpp"

#include <algorithm>

#include "module/editor/dispatch.hpp"
#include "module/editor/file_mask.hpp"

namespace marten::unicode {

WideText FileMaskW;

namespace {

// True while the module feeds a key back to the editor: its own nested call
// must leave that record to the editor.
bool feedingBack = false;

class FeedingBack {
public:
    FeedingBack() { feedingBack = true; }
    ~FeedingBack() { feedingBack = false; }
    FeedingBack(const FeedingBack&) = delete;
    FeedingBack& operator=(const FeedingBack&) = delete;
};

// The outcome of the mask test for the last file name and mask list: the
// next key in the same editor compares the name instead of matching it
// again. The name is asked for on every key, so a save under another name
// is seen at once.
struct Activation {
    bool known = false;
    bool matches = false;
    WideText mask;
    WideText name;
};
Activation activation;
WideText currentName;  // the file name of the editor the key is for

bool Activated(WideEditor& ed) {
    ed.FetchFileName(currentName);
    if (activation.known && activation.name == currentName && activation.mask == FileMaskW) {
        return activation.matches;
    }
    const bool matches = FileMaskMatchW(FileMaskW, currentName);
    activation.known = false;
    activation.mask = FileMaskW;
    activation.name = currentName;
    activation.matches = matches;
    activation.known = true;
    return matches;
}

// A key the module feeds back comes to it again, nested in the first one's
// handling: each level of nesting has lines of its own. The levels typing
// reaches keep theirs; a deeper one, which a wrap of a wrap would need at
// most, gets fresh ones.
constexpr int kKeptLevels = 3;
WideLines keptLines[kKeptLevels];
int nesting = 0;

class LinesInUse {
public:
    LinesInUse() { ++nesting; }
    ~LinesInUse() { --nesting; }
    LinesInUse(const LinesInUse&) = delete;
    LinesInUse& operator=(const LinesInUse&) = delete;
    WideLines& Get() { return nesting <= kKeptLevels ? keptLines[nesting - 1] : own_; }

private:
    WideLines own_;
};

}  // namespace

std::intptr_t WideEditor::Call(api3::EDITOR_CONTROL_COMMANDS command, std::intptr_t param1,
                               void* param2) {
    return Host.EditorControl(id_, command, param1, param2);
}

void WideEditor::RefreshInfo() {
    info_ = api3::EditorInfo{};
    info_.StructSize = sizeof info_;
    if (Call(api3::ECTL_GETINFO, 0, &info_) != 0 && id_ == api3::CURRENT_EDITOR) {
        // The rest of the event goes to this editor, whatever takes the focus.
        id_ = info_.EditorID;
    }
}

bool WideEditor::FetchLine(std::int64_t n, Line& buffer) {
    fetched_ = api3::EditorGetString{};
    fetched_.StructSize = sizeof fetched_;
    fetched_.StringNumber = static_cast<std::intptr_t>(n);
    const std::intptr_t answer = Call(api3::ECTL_GETSTRING, 0, &fetched_);
    if (answer == 0 || fetched_.StringText == nullptr || fetched_.StringLength <= 0) {
        buffer.clear();
        return answer != 0;
    }
    // Exactly StringLength units: the host's text need not be terminated.
    buffer.assign(fetched_.StringText, static_cast<std::size_t>(fetched_.StringLength));
    return true;
}

void WideEditor::StoreLine(std::int64_t n, Line& buffer) {
    BeforeChange();
    // A null end-of-line would give a last line one it does not have: pass
    // the line's own.
    api3::EditorGetString own{};
    own.StructSize = sizeof own;
    own.StringNumber = static_cast<std::intptr_t>(n);
    static const WChar kNone[] = {0};
    const WChar* eol = Call(api3::ECTL_GETSTRING, 0, &own) != 0 && own.StringEOL != nullptr
                           ? own.StringEOL
                           : kNone;
    api3::EditorSetString rec{};
    rec.StructSize = sizeof rec;
    rec.StringNumber = static_cast<std::intptr_t>(n);
    rec.StringLength = static_cast<std::intptr_t>(buffer.size());
    rec.StringText = buffer.data();
    rec.StringEOL = eol;
    Call(api3::ECTL_SETSTRING, 0, &rec);
}

void WideEditor::PlaceCursor(std::int64_t col) {
    api3::EditorSetPosition rec{
        sizeof(api3::EditorSetPosition), -1, static_cast<std::intptr_t>(col), -1, -1, -1, -1};
    Call(api3::ECTL_SETPOSITION, 0, &rec);
}

void WideEditor::BreakLine() {
    BeforeChange();
    int indent = Settings.EnableAutoIndent != 0 ? 1 : 0;
    Call(api3::ECTL_INSERTSTRING, 0, &indent);
}

void WideEditor::Redraw() { Call(api3::ECTL_REDRAW, 0, nullptr); }

void WideEditor::FeedKey(Char ch) {
    BeforeChange();
    INPUT_RECORD rec{};
    rec.EventType = KEY_EVENT;
    rec.Event.KeyEvent.bKeyDown = 1;
    rec.Event.KeyEvent.wRepeatCount = 1;
    rec.Event.KeyEvent.uChar.UnicodeChar = static_cast<WCHAR>(ch);
    // Fed as typed: the module's own nested call may act on it (a wrap).
    Call(api3::ECTL_PROCESSINPUT, 0, &rec);
}

void WideEditor::FetchFileName(WideText& name) {
    // The room the buffer has already: typing in one editor asks once.
    name.resize(name.capacity());
    name[0] = 0;
    std::intptr_t needed =
        Call(api3::ECTL_GETFILENAME, static_cast<std::intptr_t>(name.size()), name.data());
    if (needed > static_cast<std::intptr_t>(name.size())) {
        name.assign(static_cast<std::size_t>(needed), WChar(0));
        needed = Call(api3::ECTL_GETFILENAME, needed, name.data());
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

void WideEditor::Undo(api3::EDITOR_UNDOREDO_COMMANDS command) {
    api3::EditorUndoRedo rec{sizeof(api3::EditorUndoRedo), command};
    Call(api3::ECTL_UNDOREDO, 0, &rec);
}

void WideEditor::BeforeChange() {
    if (bracketOpen_) return;
    Undo(api3::EUR_BEGIN);
    bracketOpen_ = true;
}

void WideEditor::FinishChange(const INPUT_RECORD& key) {
    {
        FeedingBack guard;
        INPUT_RECORD rec = key;
        Call(api3::ECTL_PROCESSINPUT, 0, &rec);
    }
    CloseBracket();
}

void WideEditor::CloseBracket() {
    if (!bracketOpen_) return;
    bracketOpen_ = false;
    Undo(api3::EUR_END);
}

bool FileMaskMatchW(const WideText& mask, const WideText& name) {
    if (Host.FSF == nullptr || Host.FSF->ProcessName == nullptr) return false;
    return AnyMaskItemMatches(mask, [&name](const WideText& item) {
        WideText subject = name;  // ProcessName takes a writable name
        return Host.FSF->ProcessName(item.c_str(), subject.data(), 0,
                                     api3::PN_CMPNAME | api3::PN_SKIPPATH) != 0;
    });
}

void ForgetActivation() { activation.known = false; }

std::intptr_t HandleKeyW(const INPUT_RECORD& rec) {
    if (feedingBack) return 0;
    LinesInUse lines;
    WideEditor ed(lines.Get());
    ed.RefreshInfo();
    if (!Activated(ed)) return 0;
    try {
        const int answer = RunFeatures(ed, rec.Event.KeyEvent);
        if (!ed.Changed()) return answer;
        // A substituted letter was fed already; any other key is fed back
        // inside the bracket, so the editor's action joins the module's.
        if (answer == 0) {
            ed.FinishChange(rec);
        } else {
            ed.CloseBracket();
        }
        return 1;
    } catch (...) {
        ed.CloseBracket();
        throw;
    }
}

}  // namespace marten::unicode
