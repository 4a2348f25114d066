// Console key records as the tests write them: a key of the virtual key
// `virtualKey` carrying `ch` (a byte in code page 866, 0 for a key without a
// character), down unless `down` is 0.
#pragma once

#include "api/ansi_api.hpp"

namespace testsupport {

inline KEY_EVENT_RECORD KeyEvent(WORD virtualKey, unsigned char ch, DWORD state = 0, BOOL down = 1,
                                 WORD repeat = 1) {
    KEY_EVENT_RECORD key{};
    key.bKeyDown = down;
    key.wRepeatCount = repeat;
    key.wVirtualKeyCode = virtualKey;
    key.uChar.AsciiChar = static_cast<char>(ch);
    key.dwControlKeyState = state;
    return key;
}

inline INPUT_RECORD KeyRecord(const KEY_EVENT_RECORD& key) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent = key;
    return record;
}

inline INPUT_RECORD KeyRecord(WORD virtualKey, unsigned char ch, DWORD state = 0, BOOL down = 1,
                              WORD repeat = 1) {
    return KeyRecord(KeyEvent(virtualKey, ch, state, down, repeat));
}

// A key-down record as a plug-in of the Unicode interface receives it: the
// character in UnicodeChar (0 for a key without one).
inline INPUT_RECORD UnicodeKeyRecord(WCHAR unit, WORD virtualKey = 0, DWORD state = 0) {
    KEY_EVENT_RECORD key = KeyEvent(virtualKey, 0, state);
    key.uChar.UnicodeChar = unit;
    return KeyRecord(key);
}

}  // namespace testsupport
