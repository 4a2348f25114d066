// The editor's own handling of input records, as the file manager's editor
// handles the keys that no plug-in consumed.
#include <algorithm>

#include "host/editor.hpp"
#include "host/editor_impl.hpp"

namespace host {
namespace {

constexpr DWORD kCtrl = LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED;
constexpr DWORD kAlt = LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;
constexpr DWORD kAltGr = RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED;

// Ctrl or Alt held as a modifier; AltGr (right Alt with left Ctrl) types
// characters and does not count.
bool CommandModifiers(DWORD state) {
    const DWORD held = state & (kCtrl | kAlt);
    return held != 0 && held != kAltGr;
}

// Moves or edits for one key press; false when the record is no key of the editor's.
bool HandleKey(Editor::Impl& e, const KEY_EVENT_RECORD& key) {
    const DWORD state = key.dwControlKeyState;
    const bool ctrl = (state & kCtrl) != 0;
    const bool alt = (state & kAlt) != 0;
    const int page = std::max(1, e.options.windowHeight - 1);
    const int last = e.lines.Count() - 1;
    switch (key.wVirtualKeyCode) {
    case VK_RETURN:
        if (!ctrl && !alt) e.BreakLine(e.options.autoIndent);
        return true;
    case VK_DELETE:
        if (ctrl) e.DeleteWordRight();
        else e.DeleteChar();
        return true;
    case VK_BACK:
        if (ctrl) e.DeleteWordLeft();
        else e.Backspace();
        return true;
    case VK_TAB:
        e.TypeChar('\t');
        return true;
    case VK_LEFT:
        if (e.curPos > 0) {
            --e.curPos;
        } else if (e.curLine > 0) {
            --e.curLine;
            e.curPos = e.CurLength();
        }
        return true;
    case VK_RIGHT:
        e.curPos = std::min(e.curPos + 1, kMaxColumn);
        return true;
    case VK_UP:
        e.curLine = std::max(0, e.curLine - 1);
        return true;
    case VK_DOWN:
        e.curLine = std::min(last, e.curLine + 1);
        return true;
    case VK_HOME:
        if (ctrl) e.curLine = 0;
        e.curPos = 0;
        return true;
    case VK_END:
        if (ctrl) e.curLine = last;
        e.curPos = e.CurLength();
        return true;
    case VK_PRIOR:
        e.curLine = std::max(0, e.curLine - page);
        e.topLine = std::max(0, e.topLine - page);
        return true;
    case VK_NEXT:
        e.curLine = std::min(last, e.curLine + page);
        e.topLine = std::min(last, e.topLine + page);
        return true;
    case VK_INSERT:
        e.overtype = !e.overtype;
        return true;
    case VK_ESCAPE:
        return true;
    default:
        break;
    }
    const auto ch = static_cast<unsigned char>(key.uChar.AsciiChar);
    if (key.wVirtualKeyCode == 0) {
        // A bare character, as ECTL_PROCESSINPUT gets it from a plug-in.
        switch (ch) {
        case '\r': e.BreakLine(e.options.autoIndent); return true;
        case '\b': e.Backspace(); return true;
        case '\t': e.TypeChar('\t'); return true;
        default: break;
        }
    }
    if (ch < 0x20 || CommandModifiers(state)) return false;
    // The console delivers OEM characters; the text is in the editor's table.
    e.TypeChar(static_cast<char>(e.table == CodePage::Ansi1251 ? OemToAnsi(ch) : ch));
    return true;
}

}  // namespace

void Editor::ProcessInput(const INPUT_RECORD& record) {
    if (record.EventType != KEY_EVENT) return;
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (!key.bKeyDown) return;
    const int repeat = std::max<int>(1, key.wRepeatCount);
    for (int i = 0; i < repeat; ++i) {
        if (!HandleKey(*impl_, key)) break;
    }
    impl_->ScrollToCursor();
    impl_->CheckInvariant();
}

}  // namespace host
