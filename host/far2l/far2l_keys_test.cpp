// Keys as far2l hands them to a plug-in, from the Windows form the host's
// key pipeline carries (the table measured in far2l's terminal backend), and
// a fed-back far2l record back in the Windows form.
#ifndef _WIN32
#include "host/far2l/far2l_keys.hpp"

#include <gtest/gtest.h>

namespace {

INPUT_RECORD Windows(WORD vk, wchar_t ch, DWORD state) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = 1;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = vk;
    record.Event.KeyEvent.uChar.UnicodeChar = static_cast<WCHAR>(ch);
    record.Event.KeyEvent.dwControlKeyState = state;
    return record;
}

TEST(Far2lKeys, AreHandedOverAsFar2lSendsThem) {
    const struct Case {
        const char* key;
        WORD vk;
        wchar_t ch;
        DWORD state;
        WORD far2lVk;
        wchar_t far2lCh;
        DWORD far2lState;
    } cases[] = {
        {"a", 'A', L'a', 0, 'A', L'a', 0},
        {"Cyrillic EN", 0, L'\u041D', 0, 0xE8, L'\u041D', 0},
        {"Cyrillic er with Shift", 0, L'\u0440', SHIFT_PRESSED, 0xE8, L'\u0440', 0},
        {"#", '3', L'#', SHIFT_PRESSED, '3', L'#', 0},
        {"Enter", VK_RETURN, L'\r', 0, VK_RETURN, 0, 0},
        {"Backspace", VK_BACK, 8, 0, VK_BACK, 0, 0},
        {"Tab", VK_TAB, L'\t', 0, VK_TAB, 0, 0},
        {"Shift+Tab", VK_TAB, L'\t', SHIFT_PRESSED, VK_TAB, 0, SHIFT_PRESSED},
        {"Esc", VK_ESCAPE, 0x1B, 0, VK_ESCAPE, 0, 0},
        {"Ctrl+Z", 'Z', 0x1A, LEFT_CTRL_PRESSED, 'Z', 0, LEFT_CTRL_PRESSED},
        {"Alt+A", 'A', L'a', LEFT_ALT_PRESSED, 'A', 0, LEFT_ALT_PRESSED},
        {"Alt+Enter", VK_RETURN, L'\r', LEFT_ALT_PRESSED, VK_RETURN, 0, LEFT_ALT_PRESSED},
        {"Del", VK_DELETE, 0, ENHANCED_KEY, VK_DELETE, 0, ENHANCED_KEY},
        {"Shift+Left", VK_LEFT, 0, SHIFT_PRESSED | ENHANCED_KEY, VK_LEFT, 0,
         SHIFT_PRESSED | ENHANCED_KEY},
    };
    for (const Case& c : cases) {
        const far2l_api::INPUT_RECORD far2l = host::Far2lInputOf(Windows(c.vk, c.ch, c.state));
        EXPECT_EQ(far2l.EventType, KEY_EVENT) << c.key;
        EXPECT_EQ(far2l.Event.KeyEvent.wVirtualKeyCode, c.far2lVk) << c.key;
        EXPECT_EQ(far2l.Event.KeyEvent.uChar.UnicodeChar, c.far2lCh) << c.key;
        EXPECT_EQ(far2l.Event.KeyEvent.dwControlKeyState, c.far2lState) << c.key;
        EXPECT_TRUE(far2l.Event.KeyEvent.bKeyDown) << c.key;
    }
}

TEST(Far2lKeys, AFedBackRecordGetsTheCharacterAWindowsHostGives) {
    const struct Case {
        WORD vk;
        wchar_t ch;
        DWORD state;
        WORD windowsVk;
        WCHAR windowsCh;
    } cases[] = {
        {VK_RETURN, 0, 0, VK_RETURN, 0x0D},
        {VK_BACK, 0, 0, VK_BACK, 0x08},
        {'Z', 0, LEFT_CTRL_PRESSED, 'Z', 0x1A},
        {'A', 0, LEFT_ALT_PRESSED, 'A', 0},  // Alt+letter keeps no character
        {0xE8, L'\u041D', 0, 0, 0x041D},
        {0, L'H', 0, 0, L'H'},
        {0, L'\U0001F600', 0, 0, 0xFFFD},  // beyond a UTF-16 unit
    };
    for (const Case& c : cases) {
        far2l_api::INPUT_RECORD far2l{};
        far2l.EventType = KEY_EVENT;
        far2l.Event.KeyEvent.bKeyDown = 1;
        far2l.Event.KeyEvent.wVirtualKeyCode = c.vk;
        far2l.Event.KeyEvent.uChar.UnicodeChar = c.ch;
        far2l.Event.KeyEvent.dwControlKeyState = c.state;
        const INPUT_RECORD windows = host::WindowsInputOf(far2l);
        EXPECT_EQ(windows.Event.KeyEvent.wVirtualKeyCode, c.windowsVk) << c.vk;
        EXPECT_EQ(windows.Event.KeyEvent.uChar.UnicodeChar, c.windowsCh) << c.vk;
    }
}

}  // namespace
#endif
