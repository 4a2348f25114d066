// What the terminal reports, turned into the key stroke the Windows console
// would deliver for it: the virtual key, the control-key state and the
// character in the OEM code page. One table for all three ways a key arrives:
// a key code that ncurses named, an escape sequence it did not know, or a
// plain character. Terminals do not tell left from right Ctrl and Alt, so
// those count as the left ones.
#pragma once

#include <optional>
#include <string_view>

#include "host/key_script.hpp"

namespace edit {

// The control-key bits of an xterm modifier parameter (2 Shift, 3 Alt,
// 5 Ctrl, ... as in "ESC [ 1 ; 5 A").
DWORD ModifiersFromXterm(int parameter);

// A key by the name ncurses gives its code: "KEY_DC", "KEY_F(13)", or an
// extended terminfo name such as "kDC5" (Ctrl+Delete).
std::optional<host::KeyStroke> StrokeForKeyName(std::string_view name);

// The characters that followed an ESC: empty for Esc itself, one character
// for Alt with it, or the rest of a CSI/SS3 sequence ("[3;5~", "OP").
std::optional<host::KeyStroke> StrokeForEscape(std::u32string_view rest);

// True when the characters after an ESC already form a whole sequence, so the
// reader need not wait for more.
bool EscapeComplete(std::u32string_view rest);

// A character as the terminal delivered it, control characters included
// (13 Enter, 9 Tab, 127 Backspace, 8 Ctrl+Backspace, 1..26 Ctrl+letter).
// Nothing for a character that the OEM code page lacks.
std::optional<host::KeyStroke> StrokeForCharacter(char32_t ch);

}  // namespace edit
