#include "host/far2l/far2l_keys.hpp"

namespace host {

namespace {

constexpr DWORD kAlt = LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;
constexpr DWORD kCtrl = LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED;

bool IsLetterKey(WORD vk) { return vk >= 'A' && vk <= 'Z'; }

// Keys that far2l names by their virtual key alone.
bool WithoutCharacter(WORD vk, DWORD state) {
    if (vk == VK_RETURN || vk == VK_BACK || vk == VK_TAB || vk == VK_ESCAPE) return true;
    if ((state & kAlt) != 0) return true;
    return (state & kCtrl) != 0 && IsLetterKey(vk);
}

}  // namespace

far2l_api::INPUT_RECORD Far2lInputOf(const INPUT_RECORD& windows) {
    far2l_api::INPUT_RECORD far2l{};
    far2l.EventType = windows.EventType;
    if (windows.EventType != KEY_EVENT) return far2l;
    const KEY_EVENT_RECORD& from = windows.Event.KeyEvent;
    far2l_api::KEY_EVENT_RECORD& to = far2l.Event.KeyEvent;
    to.bKeyDown = from.bKeyDown;
    to.wRepeatCount = from.wRepeatCount;
    to.wVirtualKeyCode = from.wVirtualKeyCode;
    to.wVirtualScanCode = from.wVirtualScanCode;
    to.dwControlKeyState = from.dwControlKeyState;
    const auto ch = static_cast<wchar_t>(from.uChar.UnicodeChar);
    if (WithoutCharacter(from.wVirtualKeyCode, from.dwControlKeyState)) {
        to.uChar.UnicodeChar = 0;
        return far2l;
    }
    to.uChar.UnicodeChar = ch;
    if (ch >= 0x20 && (from.dwControlKeyState & (kAlt | kCtrl)) == 0) {
        // A typed character: the terminal tells far2l of no Shift.
        to.dwControlKeyState &= ~static_cast<DWORD>(SHIFT_PRESSED);
        if (ch >= 0x80) to.wVirtualKeyCode = far2l_api::kVkCyrillicLetter;
    }
    return far2l;
}

INPUT_RECORD WindowsInputOf(const far2l_api::INPUT_RECORD& far2l) {
    INPUT_RECORD windows{};
    windows.EventType = far2l.EventType;
    if (far2l.EventType != KEY_EVENT) return windows;
    const far2l_api::KEY_EVENT_RECORD& from = far2l.Event.KeyEvent;
    KEY_EVENT_RECORD& to = windows.Event.KeyEvent;
    to.bKeyDown = from.bKeyDown;
    to.wRepeatCount = from.wRepeatCount;
    to.wVirtualKeyCode = from.wVirtualKeyCode;
    to.wVirtualScanCode = from.wVirtualScanCode;
    to.dwControlKeyState = from.dwControlKeyState;
    wchar_t ch = from.uChar.UnicodeChar;
    const WORD vk = from.wVirtualKeyCode;
    if (ch == 0 && (from.dwControlKeyState & kAlt) == 0) {
        if (vk == VK_RETURN || vk == VK_BACK || vk == VK_TAB || vk == VK_ESCAPE) {
            ch = static_cast<wchar_t>(vk);
        } else if ((from.dwControlKeyState & kCtrl) != 0 && IsLetterKey(vk)) {
            ch = static_cast<wchar_t>(vk - 'A' + 1);
        }
    }
    if (vk == far2l_api::kVkCyrillicLetter) to.wVirtualKeyCode = 0;
    // Beyond the UTF-16 unit the Windows record holds, the character is
    // one the host's editor cannot be handed this way.
    to.uChar.UnicodeChar = static_cast<WCHAR>(ch <= 0xFFFF ? ch : 0xFFFD);
    return windows;
}

}  // namespace host
