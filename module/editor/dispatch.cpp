// The tests that decide which features a key record may start.
#include "module/editor/dispatch.hpp"

namespace marten {

namespace {

constexpr DWORD kAltOrShift = RIGHT_ALT_PRESSED | LEFT_ALT_PRESSED | SHIFT_PRESSED;

bool NoneOf(const KEY_EVENT_RECORD& key, DWORD bits) { return (key.dwControlKeyState & bits) == 0; }

}  // namespace

bool PassesEnterTest(const KEY_EVENT_RECORD& key) {
    return Settings.EnableQuote && key.bKeyDown && key.wVirtualKeyCode == VK_RETURN &&
           NoneOf(key, kAltOrCtrl | SHIFT_PRESSED);
}

bool PassesDeleteTest(const KEY_EVENT_RECORD& key) {
    return Settings.EnableQuote && key.bKeyDown && key.wVirtualKeyCode == VK_DELETE &&
           NoneOf(key, kAltOrShift);
}

bool PassesBackspaceKeyTest(const KEY_EVENT_RECORD& key) {
    return Settings.EnableQuote && key.bKeyDown && key.wVirtualKeyCode == VK_BACK &&
           NoneOf(key, kAltOrShift);
}

}  // namespace marten
