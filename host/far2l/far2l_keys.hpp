// Keys as far2l hands them to a plug-in (measured on its terminal backend)
// beside the Windows form in which the host's key pipeline carries them:
// far2l gives Enter, Backspace, Tab, Esc, Ctrl+letter and Alt+key the
// character 0, a character beyond ASCII the virtual key 0xE8, and a typed
// character no Shift bit.
#pragma once

#include "api/ansi_api.hpp"
#include "api/far2l_api.hpp"

namespace host {

// The record far2l sends for the key of `windows` (its character in UnicodeChar).
far2l_api::INPUT_RECORD Far2lInputOf(const INPUT_RECORD& windows);

// The Windows form of a record a far2l plug-in fed back: a key far2l sends
// without its character gets the one a Windows host gives it, so that the
// editor acts on it as on a typed one.
INPUT_RECORD WindowsInputOf(const far2l_api::INPUT_RECORD& far2l);

}  // namespace host
