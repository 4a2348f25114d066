// The editor's own handling of input records, as the file manager's editor
// handles the keys that no plug-in consumed.
#include <algorithm>
#include <optional>

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

// The editor's key for a record: its virtual key, or for a bare character
// (virtual key 0, as ECTL_PROCESSINPUT gets it from a plug-in) the key that
// types that control character; 0 when the record only types a character.
WORD EditorKey(const KEY_EVENT_RECORD& key) {
    switch (key.wVirtualKeyCode) {
    case VK_RETURN: case VK_DELETE: case VK_BACK: case VK_TAB: case VK_ESCAPE:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT:
        return key.wVirtualKeyCode;
    case 0:
        switch (key.uChar.AsciiChar) {
        case '\r': return VK_RETURN;
        case '\b': return VK_BACK;
        case '\t': return VK_TAB;
        default: return 0;
        }
    default:
        return 0;
    }
}

// Carries out one press of an editor key.
void PressKey(Editor::Impl& e, WORD vk, DWORD state) {
    const bool ctrl = (state & kCtrl) != 0;
    const bool alt = (state & kAlt) != 0;
    const int page = std::max(1, e.options.windowHeight - 1);
    const int last = e.lines.Count() - 1;
    switch (vk) {
    case VK_RETURN:
        if (!ctrl && !alt) e.BreakLine(e.options.autoIndent);
        break;
    case VK_DELETE:
        if (ctrl) e.DeleteWordRight();
        else e.DeleteChar();
        break;
    case VK_BACK:
        if (ctrl) e.DeleteWordLeft();
        else e.Backspace();
        break;
    case VK_TAB:
        e.TypeChar('\t');
        break;
    case VK_LEFT:
        if (e.curPos > 0) {
            --e.curPos;
        } else if (e.curLine > 0) {
            --e.curLine;
            e.curPos = e.CurLength();
        }
        break;
    case VK_RIGHT:
        e.curPos = std::min(e.curPos + 1, e.ColumnLimit());
        break;
    case VK_UP:
        e.curLine = std::max(0, e.curLine - 1);
        break;
    case VK_DOWN:
        e.curLine = std::min(last, e.curLine + 1);
        break;
    case VK_HOME:
        if (ctrl) e.curLine = 0;
        e.curPos = 0;
        break;
    case VK_END:
        if (ctrl) e.curLine = last;
        e.curPos = e.CurLength();
        break;
    case VK_PRIOR:
        e.curLine = std::max(0, e.curLine - page);
        e.topLine = std::max(0, e.topLine - page);
        break;
    case VK_NEXT:
        e.curLine = std::min(last, e.curLine + page);
        e.topLine = std::min(last, e.topLine + page);
        break;
    case VK_INSERT:
        e.overtype = !e.overtype;
        break;
    default:  // VK_ESCAPE and the rest: nothing
        break;
    }
}

// The character a record types in the editor's table, or nothing for a
// control character or a key pressed with Ctrl or Alt.
std::optional<char> TypedChar(const Editor::Impl& e, const KEY_EVENT_RECORD& key) {
    const auto ch = static_cast<unsigned char>(key.uChar.AsciiChar);
    if (ch < 0x20 || CommandModifiers(key.dwControlKeyState)) return std::nullopt;
    // The console delivers OEM characters; the text is in the editor's table.
    return static_cast<char>(OemToTable(e.table, ch));
}

}  // namespace

void Editor::ProcessInput(const INPUT_RECORD& record) {
    if (record.EventType != KEY_EVENT) return;
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (!key.bKeyDown) return;
    Impl& e = *impl_;
    const int repeat = std::max<int>(1, key.wRepeatCount);
    if (const WORD vk = EditorKey(key)) {
        for (int i = 0; i < repeat; ++i) PressKey(e, vk, key.dwControlKeyState);
    } else if (const auto typed = TypedChar(e, key)) {
        e.TypeChar(*typed, repeat);  // one step, however large the repeat count
    }
    e.ScrollToCursor();
    e.CheckInvariant();
}

}  // namespace host
