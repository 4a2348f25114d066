#include "host/key_script.hpp"

#include "common/ascii.hpp"
#include "engine/utf8.hpp"
#include "host/key_table.hpp"

#include <array>

namespace host {

namespace {

struct Modifier {
    std::string_view prefix;
    DWORD bit;
};

constexpr Modifier kModifiers[] = {
    {"Shift+", SHIFT_PRESSED},      {"Ctrl+", LEFT_CTRL_PRESSED}, {"Alt+", LEFT_ALT_PRESSED},
    {"RCtrl+", RIGHT_CTRL_PRESSED}, {"RAlt+", RIGHT_ALT_PRESSED},
};

// `text` in double quotes (built by appending: GCC 12 warns falsely on
// chains of string operator+).
std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.push_back('"');
    quoted.append(text);
    quoted.push_back('"');
    return quoted;
}

std::string At(std::size_t position, const std::string& what) {
    return "position " + std::to_string(position) + ": " + what;
}

// A capital letter of code page 866 (Cyrillic capitals are typed with Shift too).
bool IsCapital(unsigned char oem) {
    return (oem >= 'A' && oem <= 'Z') || (oem >= 0x80 && oem <= 0x9F) ||
           (oem >= 0xF0 && oem <= 0xF7 && (oem & 1) == 0);
}

// The stroke of a character typed on its own, as the console reports it.
KeyStroke CharacterStroke(char32_t ch) {
    KeyStroke stroke;
    stroke.character = ch;
    const unsigned char oem = engine::FromUnicode(engine::CodePage::Oem866, ch).value_or(0);
    stroke.oemChar = oem;
    // A Latin letter's key is named by its capital.
    const unsigned char key = ascii::ToUpper(oem);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == ' ') {
        stroke.virtualKey = key;
    }
    if (IsCapital(oem)) stroke.controlState |= SHIFT_PRESSED;
    return stroke;
}

struct Parser {
    std::string_view script;
    std::string* error;
    std::vector<KeyStroke> strokes;

    bool Fail(std::size_t position, const std::string& what) {
        if (error != nullptr) *error = At(position, what);
        return false;
    }

    // The character at `at`, or a failure naming its position.
    bool Character(std::size_t at, char32_t& ch, std::size_t& length) {
        if (!engine::DecodeUtf8(script.substr(at), ch, length))
            return Fail(at + 1, "invalid UTF-8");
        return true;
    }

    // The text between the braces that open at `open`.
    bool Braced(std::size_t open, std::string_view inside) {
        if (inside.empty()) return Fail(open + 1, "empty braces");
        DWORD modifiers = 0;
        std::string_view rest = inside;
        for (bool more = true; more && rest.size() > 1;) {
            more = false;
            for (const Modifier& modifier : kModifiers) {
                // "Ctrl++" is Ctrl with the '+' key: a prefix never eats the last character.
                if (rest.size() > modifier.prefix.size() &&
                    ascii::StartsWithNoCase(rest, modifier.prefix)) {
                    modifiers |= modifier.bit;
                    rest.remove_prefix(modifier.prefix.size());
                    more = true;
                    break;
                }
            }
        }
        if (const NamedKey* key = NamedKeyByName(rest)) {
            const DWORD flags = key->enhanced ? DWORD{ENHANCED_KEY} : DWORD{0};
            return Push(NamedStroke(key->virtualKey, key->character, flags, modifiers));
        }
        // A single character, with or without modifiers.
        const std::size_t at = open + 1 + (inside.size() - rest.size());
        char32_t ch = 0;
        std::size_t length = 0;
        if (engine::DecodeUtf8(rest, ch, length) && length == rest.size()) {
            if (!Character(at, ch, length)) return false;
            KeyStroke stroke = CharacterStroke(ch);
            stroke.controlState |= modifiers;
            if ((modifiers & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0 &&
                stroke.virtualKey >= 'A' && stroke.virtualKey <= 'Z') {
                stroke.oemChar = static_cast<unsigned char>(stroke.virtualKey - 'A' + 1);
            }
            return Push(stroke);
        }
        return Fail(open + 1, std::string("unknown key ").append(Quoted(inside)));
    }

    static KeyStroke NamedStroke(WORD virtualKey, unsigned char oemChar, DWORD flags,
                                 DWORD modifiers) {
        KeyStroke stroke;
        stroke.virtualKey = virtualKey;
        stroke.controlState = flags | modifiers;
        stroke.oemChar = oemChar;
        if ((modifiers & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0) {
            if (virtualKey == VK_RETURN) stroke.oemChar = 10;
            if (virtualKey == VK_BACK) stroke.oemChar = 127;
        }
        return stroke;
    }

    bool Push(const KeyStroke& stroke) {
        strokes.push_back(stroke);
        return true;
    }

    bool Run() {
        std::size_t at = 0;
        while (at < script.size()) {
            if (script[at] == '{') {
                if (at + 1 < script.size() && script[at + 1] == '{') {
                    Push(CharacterStroke('{'));
                    at += 2;
                    continue;
                }
                const std::size_t close = script.find('}', at + 1);
                if (close == std::string_view::npos) return Fail(at + 1, "unclosed brace");
                if (!Braced(at, script.substr(at + 1, close - at - 1))) return false;
                at = close + 1;
                continue;
            }
            char32_t ch = 0;
            std::size_t length = 0;
            if (!Character(at, ch, length)) return false;
            Push(CharacterStroke(ch));
            at += length;
        }
        return true;
    }
};

INPUT_RECORD KeyRecord(const KeyStroke& stroke, BOOL down) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = down;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = stroke.virtualKey;
    record.Event.KeyEvent.wVirtualScanCode = 0;
    record.Event.KeyEvent.uChar.UnicodeChar = 0;
    record.Event.KeyEvent.uChar.AsciiChar = static_cast<CHAR>(stroke.oemChar);
    record.Event.KeyEvent.dwControlKeyState = stroke.controlState;
    return record;
}

}  // namespace

std::optional<std::vector<KeyStroke>> ParseKeyScript(std::string_view script, std::string* error) {
    Parser parser{script, error, {}};
    if (!parser.Run()) return std::nullopt;
    return std::move(parser.strokes);
}

INPUT_RECORD KeyDownRecord(const KeyStroke& stroke) { return KeyRecord(stroke, 1); }
INPUT_RECORD KeyUpRecord(const KeyStroke& stroke) { return KeyRecord(stroke, 0); }

}  // namespace host
