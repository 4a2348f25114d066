#include "module/far2l/key_translation.hpp"

namespace marten::far2l {

namespace {

constexpr WCHAR kReplacementCharacter = 0xFFFD;

// The character a Windows console gives a key that far2l sends without one.
WCHAR CharacterOfBareKey(WORD virtualKey, DWORD state) {
    const bool ctrl = (state & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
    const bool alt = (state & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0;
    switch (virtualKey) {
    case VK_RETURN: return ctrl ? 0x0A : 0x0D;
    case VK_BACK: return ctrl ? 0x7F : 0x08;
    case VK_TAB: return ctrl ? 0 : 0x09;
    case VK_ESCAPE: return 0x1B;
    default: break;
    }
    if (ctrl && !alt && virtualKey >= 'A' && virtualKey <= 'Z') {
        return static_cast<WCHAR>(virtualKey - 'A' + 1);
    }
    return 0;
}

}  // namespace

KEY_EVENT_RECORD RulesKey(const far2l_api::KEY_EVENT_RECORD& key) {
    KEY_EVENT_RECORD rules{};
    rules.bKeyDown = key.bKeyDown;
    rules.wRepeatCount = key.wRepeatCount;
    rules.wVirtualKeyCode = key.wVirtualKeyCode;
    rules.wVirtualScanCode = key.wVirtualScanCode;
    rules.dwControlKeyState = key.dwControlKeyState;
    const auto ch = static_cast<char32_t>(key.uChar.UnicodeChar);
    if (ch == 0) {
        rules.uChar.UnicodeChar = CharacterOfBareKey(key.wVirtualKeyCode, key.dwControlKeyState);
    } else if (ch > 0xFFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
        rules.uChar.UnicodeChar = kReplacementCharacter;
    } else {
        rules.uChar.UnicodeChar = static_cast<WCHAR>(ch);
    }
    return rules;
}

}  // namespace marten::far2l
