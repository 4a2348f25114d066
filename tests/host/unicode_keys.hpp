// Key-down records as a plug-in of the Unicode interface receives them: the
// character in UnicodeChar (0 for a key without one).
#pragma once

#include "api/plugin_api.hpp"

namespace host_test {

inline INPUT_RECORD UnicodeKey(char16_t unit, WORD virtualKey = 0, DWORD control = 0) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = 1;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = virtualKey;
    record.Event.KeyEvent.uChar.UnicodeChar = unit;
    record.Event.KeyEvent.dwControlKeyState = control;
    return record;
}

}  // namespace host_test
