// Key scripts: text in which characters stand for themselves and named keys
// stand in braces ("Hello{Enter}{Ctrl+Del}"), turned into console input records
// as the console would deliver them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "api/plugin_api.hpp"
#include "host/codepage.hpp"

namespace host {

struct KeyStroke {
    WORD virtualKey = 0;
    DWORD controlState = 0;    // SHIFT_PRESSED, LEFT_CTRL_PRESSED, ...
    unsigned char oemChar = 0;  // the character in the OEM code page, 0 for none
};

// Parses a UTF-8 script. Syntax: characters stand for themselves; {Enter},
// {Del}, {BS}, {Tab}, {Esc}, {Home}, {End}, {Left}, {Right}, {Up}, {Down},
// {PgUp}, {PgDn}, {Ins}, {F1}..{F12}, each with optional Shift+, Ctrl+, Alt+,
// RCtrl+, RAlt+ inside the braces; "{{" is a literal brace. On failure,
// `error` names the byte position (from 1) and what is wrong.
std::optional<std::vector<KeyStroke>> ParseKeyScript(std::string_view script, std::string* error);

// The key-down and key-up records of a stroke.
INPUT_RECORD KeyDownRecord(const KeyStroke& stroke);
INPUT_RECORD KeyUpRecord(const KeyStroke& stroke);

}  // namespace host
