#include "module/far2l/far2l_editor.hpp"

#include <algorithm>

#include "module/editor/dispatch.hpp"
#include "module/editor/file_mask.hpp"
#include "module/far2l/key_translation.hpp"

namespace marten::far2l {

WideText FileMask;

namespace {

// A flag that holds while an object of this type lives.
class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
    ~Raised() { flag_ = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
};

// True while the module feeds the typed key back to the editor: its own
// nested call must leave that record to the editor.
bool feedingBack = false;

// The last mask test: the next key in the same editor compares the name
// instead of matching it again. The name is asked for on every key, so a
// save under another name is seen at once.
struct LastMatch {
    bool known = false;
    bool matches = false;
    WideText mask;
    WideText name;
};
LastMatch lastMatch;
WideText keyFileName;  // the file name of the editor the key is for

bool Activated(Far2lEditor& ed) {
    ed.FetchFileName(keyFileName);
    if (lastMatch.known && lastMatch.name == keyFileName && lastMatch.mask == FileMask) {
        return lastMatch.matches;
    }
    // Forgotten first: an allocation that fails midway leaves no stale answer.
    lastMatch.known = false;
    lastMatch.matches = FileMaskMatch(FileMask, keyFileName);
    lastMatch.mask = FileMask;
    lastMatch.name = keyFileName;
    lastMatch.known = true;
    return lastMatch.matches;
}

// A key the module feeds to the editor comes to it again, nested in the
// handling of the first: each depth has lines of its own. The depths typing
// reaches keep theirs from key to key; a deeper one (a wrap inside a wrap
// would need it at most) has fresh ones.
constexpr int kReusedDepths = 3;
Far2lLines reusedLines[kReusedDepths];
int depth = 0;

class Depth {
public:
    Depth() { ++depth; }
    ~Depth() { --depth; }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;
    Far2lLines& Lines() { return depth <= kReusedDepths ? reusedLines[depth - 1] : fresh_; }

private:
    Far2lLines fresh_;
};

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
    name.resize(name.find(L'\0'));
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

void ForgetActivation() { lastMatch.known = false; }

int HandleKey(const far2l_api::INPUT_RECORD& rec) {
    if (feedingBack) return 0;
    Depth nesting;
    Far2lEditor ed(nesting.Lines());
    ed.RefreshInfo();
    if (!Activated(ed)) return 0;
    try {
        const int answer = RunFeatures(ed, RulesKey(rec.Event.KeyEvent));
        if (!ed.Changed()) return answer;
        // A replaced letter was fed already; any other key is fed back
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

}  // namespace marten::far2l
