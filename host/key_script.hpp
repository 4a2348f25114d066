// Key scripts: text in which characters stand for themselves and named keys
// stand in braces ("Hello{Enter}{Ctrl+Del}"), turned into console input records
// as the console would deliver them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "api/ansi_api.hpp"
#include "engine/codepage.hpp"

namespace host {

struct KeyStroke {
    WORD virtualKey = 0;
    DWORD controlState = 0;     // SHIFT_PRESSED, LEFT_CTRL_PRESSED, ...
    unsigned char oemChar = 0;  // the character in the OEM code page, 0 for none
    // The character the key types, 0 for none; where code page 866 lacks it
    // oemChar is 0 and the editor types it in its own table, if it can.
    char32_t character = 0;
};

// Parses a UTF-8 script. Syntax: characters stand for themselves (capitals
// of code page 866 carry Shift); the named keys of the key table ({Enter},
// {Tab}, {BkSp}, {Esc}, {Del}, {Ins}, {Home}, {End}, {Left}, {Right}, {Up},
// {Down}, {PgUp}, {PgDn}, {F1}..{F12}; {BS} is read as {BkSp} too), each
// with optional Shift+, Ctrl+, Alt+, RCtrl+, RAlt+ inside the braces, in any
// order and case; one character in braces takes modifiers too ({Ctrl+a} is
// character 1, {Alt+x} is 'x' with Alt). Ctrl+Enter carries character 10
// and Ctrl+BkSp 127, as the console gives them. "{{" is a literal
// '{'; a lone '}' is itself. On failure, `error` names the byte position
// (from 1) and what is wrong: position 7: unknown key "Entr".
std::optional<std::vector<KeyStroke>> ParseKeyScript(std::string_view script, std::string* error);

// The key-down and key-up records of a stroke.
INPUT_RECORD KeyDownRecord(const KeyStroke& stroke);
INPUT_RECORD KeyUpRecord(const KeyStroke& stroke);

}  // namespace host
