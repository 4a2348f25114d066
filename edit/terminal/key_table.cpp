#include "edit/terminal/key_table.hpp"

#include <array>
#include <charconv>
#include <string>
#include <vector>

#include "host/key_table.hpp"

namespace edit {
namespace {

constexpr WORD kVkSpace = 0x20;
constexpr WORD kVkF1 = 0x70;

// Keys of the gray block carry ENHANCED_KEY, as the console sets it for them.
struct NamedKey {
    std::string_view name;
    WORD virtualKey;
    bool enhanced;
};

constexpr std::array kNavigationKeys{
    NamedKey{"DC", VK_DELETE, true},  NamedKey{"IC", VK_INSERT, true},
    NamedKey{"HOM", VK_HOME, true},   NamedKey{"END", VK_END, true},
    NamedKey{"NXT", VK_NEXT, true},   NamedKey{"PRV", VK_PRIOR, true},
    NamedKey{"LFT", VK_LEFT, true},   NamedKey{"RIT", VK_RIGHT, true},
    NamedKey{"UP", VK_UP, true},      NamedKey{"DN", VK_DOWN, true},
};

// ncurses' own names, with the modifiers they imply.
struct CursesKey {
    std::string_view name;
    WORD virtualKey;
    DWORD control;
};

constexpr std::array kCursesKeys{
    CursesKey{"KEY_DOWN", VK_DOWN, 0},          CursesKey{"KEY_UP", VK_UP, 0},
    CursesKey{"KEY_LEFT", VK_LEFT, 0},          CursesKey{"KEY_RIGHT", VK_RIGHT, 0},
    CursesKey{"KEY_HOME", VK_HOME, 0},          CursesKey{"KEY_END", VK_END, 0},
    CursesKey{"KEY_A1", VK_HOME, 0},            CursesKey{"KEY_C1", VK_END, 0},
    CursesKey{"KEY_A3", VK_PRIOR, 0},           CursesKey{"KEY_C3", VK_NEXT, 0},
    CursesKey{"KEY_FIND", VK_HOME, 0},          CursesKey{"KEY_SELECT", VK_END, 0},
    CursesKey{"KEY_NPAGE", VK_NEXT, 0},         CursesKey{"KEY_PPAGE", VK_PRIOR, 0},
    CursesKey{"KEY_DC", VK_DELETE, 0},          CursesKey{"KEY_IC", VK_INSERT, 0},
    CursesKey{"KEY_BACKSPACE", VK_BACK, 0},     CursesKey{"KEY_ENTER", VK_RETURN, 0},
    CursesKey{"KEY_BTAB", VK_TAB, SHIFT_PRESSED},
    CursesKey{"KEY_SDC", VK_DELETE, SHIFT_PRESSED},
    CursesKey{"KEY_SIC", VK_INSERT, SHIFT_PRESSED},
    CursesKey{"KEY_SHOME", VK_HOME, SHIFT_PRESSED},
    CursesKey{"KEY_SEND", VK_END, SHIFT_PRESSED},
    CursesKey{"KEY_SLEFT", VK_LEFT, SHIFT_PRESSED},
    CursesKey{"KEY_SRIGHT", VK_RIGHT, SHIFT_PRESSED},
    CursesKey{"KEY_SR", VK_UP, SHIFT_PRESSED},
    CursesKey{"KEY_SF", VK_DOWN, SHIFT_PRESSED},
    CursesKey{"KEY_SNEXT", VK_NEXT, SHIFT_PRESSED},
    CursesKey{"KEY_SPREVIOUS", VK_PRIOR, SHIFT_PRESSED},
};

// A key without a printable character, as the console delivers it: the
// key table's ENHANCED_KEY flag and character, and with Ctrl the characters
// a terminal sends (a line feed for Enter, DEL for BkSp, none for Tab).
host::KeyStroke KeyStroke(WORD vk, DWORD control) {
    const host::NamedKey* named = host::NamedKeyOf(vk);
    host::KeyStroke stroke;
    stroke.virtualKey = vk;
    stroke.controlState = control | (named && named->enhanced ? DWORD{ENHANCED_KEY} : DWORD{0});
    stroke.oemChar = named ? named->character : 0;
    if (control & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) {
        switch (vk) {
        case VK_RETURN: stroke.oemChar = 10; break;
        case VK_BACK: stroke.oemChar = 127; break;
        case VK_TAB: stroke.oemChar = 0; break;
        default: break;
        }
    }
    return stroke;
}

// The US-layout key of a Latin character, and whether it takes Shift.
struct KeyPlace {
    WORD virtualKey = 0;
    bool shift = false;
};

KeyPlace PlaceOfLatin(char32_t ch) {
    if (ch >= 'a' && ch <= 'z') return {static_cast<WORD>(ch - 'a' + 'A'), false};
    if (ch >= 'A' && ch <= 'Z') return {static_cast<WORD>(ch), true};
    if (ch >= '0' && ch <= '9') return {static_cast<WORD>(ch), false};
    static constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";
    if (auto at = kShiftedDigits.find(static_cast<char>(ch));
        ch < 128 && at != std::string_view::npos) {
        return {static_cast<WORD>('0' + at), true};
    }
    struct Punct { char plain, shifted; WORD vk; };
    static constexpr std::array kPunct{
        Punct{';', ':', 0xBA}, Punct{'=', '+', 0xBB}, Punct{',', '<', 0xBC},
        Punct{'-', '_', 0xBD}, Punct{'.', '>', 0xBE}, Punct{'/', '?', 0xBF},
        Punct{'`', '~', 0xC0}, Punct{'[', '{', 0xDB}, Punct{'\\', '|', 0xDC},
        Punct{']', '}', 0xDD}, Punct{'\'', '"', 0xDE},
    };
    for (const Punct& p : kPunct) {
        if (ch == static_cast<unsigned char>(p.plain)) return {p.vk, false};
        if (ch == static_cast<unsigned char>(p.shifted)) return {p.vk, true};
    }
    if (ch == ' ') return {kVkSpace, false};
    return {};
}

// The Russian layout on the same keys: the Latin character of the key that
// types a Cyrillic letter.
char32_t LatinKeyOfCyrillic(char32_t ch) {
    static constexpr std::u32string_view kSmall = U"йцукенгшщзхъфывапролджэячсмитьбюё";
    static constexpr std::string_view kKeys = "qwertyuiop[]asdfghjkl;'zxcvbnm,.`";
    static constexpr std::u32string_view kCapital = U"ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁ";
    if (auto at = kSmall.find(ch); at != std::u32string_view::npos) {
        return static_cast<unsigned char>(kKeys[at]);
    }
    if (auto at = kCapital.find(ch); at != std::u32string_view::npos) {
        return static_cast<unsigned char>(kKeys[at]);
    }
    return 0;
}

// Decimal parameters of a CSI sequence ("3;5" -> {3, 5}); empty ones are 0.
std::vector<int> Parameters(std::u32string_view text) {
    std::vector<int> result;
    int value = 0;
    bool any = false;
    for (char32_t c : text) {
        if (c == ';') {
            result.push_back(value);
            value = 0;
            any = true;
        } else if (c >= '0' && c <= '9') {
            value = value * 10 + static_cast<int>(c - '0');
            if (value > 100000) value = 100000;
            any = true;
        } else {
            return {};
        }
    }
    if (any) result.push_back(value);
    return result;
}

std::optional<WORD> KeyOfFinal(char32_t final) {
    switch (final) {
    case 'A': return VK_UP;
    case 'B': return VK_DOWN;
    case 'C': return VK_RIGHT;
    case 'D': return VK_LEFT;
    case 'H': return VK_HOME;
    case 'F': return VK_END;
    case 'P': return kVkF1;
    case 'Q': return kVkF1 + 1;
    case 'R': return kVkF1 + 2;
    case 'S': return kVkF1 + 3;
    default: return std::nullopt;
    }
}

std::optional<WORD> KeyOfTilde(int code) {
    switch (code) {
    case 1: case 7: return VK_HOME;
    case 2: return VK_INSERT;
    case 3: return VK_DELETE;
    case 4: case 8: return VK_END;
    case 5: return VK_PRIOR;
    case 6: return VK_NEXT;
    default: break;
    }
    if (code >= 11 && code <= 15) return static_cast<WORD>(kVkF1 + code - 11);
    if (code >= 17 && code <= 21) return static_cast<WORD>(kVkF1 + 5 + code - 17);
    if (code == 23 || code == 24) return static_cast<WORD>(kVkF1 + 10 + code - 23);
    return std::nullopt;
}

// A character code with modifiers, as modifyOtherKeys and CSI u report it.
std::optional<host::KeyStroke> CharacterWith(int code, DWORD control) {
    std::optional<host::KeyStroke> stroke;
    switch (code) {
    case 13: stroke = KeyStroke(VK_RETURN, control); break;
    case 9: stroke = KeyStroke(VK_TAB, control); break;
    case 27: stroke = KeyStroke(VK_ESCAPE, control); break;
    case 127: case 8: stroke = KeyStroke(VK_BACK, control); break;
    default:
        if (code <= 0) return std::nullopt;
        stroke = StrokeForCharacter(static_cast<char32_t>(code));
        if (!stroke) return std::nullopt;
        stroke->controlState |= control;
        if (control & LEFT_CTRL_PRESSED) {
            char32_t c = static_cast<char32_t>(code);
            if (c >= 'a' && c <= 'z') stroke->oemChar = static_cast<unsigned char>(c - 'a' + 1);
            if (c >= 'A' && c <= 'Z') stroke->oemChar = static_cast<unsigned char>(c - 'A' + 1);
        }
        break;
    }
    return stroke;
}

}  // namespace

DWORD ModifiersFromXterm(int parameter) {
    if (parameter < 2 || parameter > 16) return 0;
    int bits = (parameter - 1) & 7;
    DWORD control = 0;
    if (bits & 1) control |= SHIFT_PRESSED;
    if (bits & 2) control |= LEFT_ALT_PRESSED;
    if (bits & 4) control |= LEFT_CTRL_PRESSED;
    return control;
}

std::optional<host::KeyStroke> StrokeForKeyName(std::string_view name) {
    for (const CursesKey& key : kCursesKeys) {
        if (key.name == name) return KeyStroke(key.virtualKey, key.control);
    }
    // KEY_F(n): xterm numbers F13-F24 as Shift, F25-F36 Ctrl, F37-F48
    // Ctrl+Shift, F49-F60 Alt, F61-F63 Alt+Shift.
    if (name.starts_with("KEY_F(") && name.ends_with(")")) {
        std::string_view digits = name.substr(6, name.size() - 7);
        int n = 0;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
        if (ec != std::errc() || end != digits.data() + digits.size() || n < 1 || n > 63) {
            return std::nullopt;
        }
        static constexpr DWORD kGroups[] = {
            0, SHIFT_PRESSED, LEFT_CTRL_PRESSED, LEFT_CTRL_PRESSED | SHIFT_PRESSED,
            LEFT_ALT_PRESSED, LEFT_ALT_PRESSED | SHIFT_PRESSED};
        return KeyStroke(static_cast<WORD>(kVkF1 + (n - 1) % 12), kGroups[(n - 1) / 12]);
    }
    // Extended names: "k" + key + xterm modifier parameter ("kDC5"); without
    // the number ("kUP", "kDN") the shifted key.
    if (name.size() >= 3 && name[0] == 'k') {
        std::string_view rest = name.substr(1);
        for (const NamedKey& key : kNavigationKeys) {
            if (!rest.starts_with(key.name)) continue;
            std::string_view digit = rest.substr(key.name.size());
            if (digit.empty()) return KeyStroke(key.virtualKey, SHIFT_PRESSED);
            if (digit.size() == 1 && digit[0] >= '2' && digit[0] <= '8') {
                return KeyStroke(key.virtualKey, ModifiersFromXterm(digit[0] - '0'));
            }
        }
    }
    return std::nullopt;
}

bool EscapeComplete(std::u32string_view rest) {
    if (rest.empty()) return false;
    if (rest[0] == '[') {
        // A CSI sequence ends with its first character in '@'..'~'.
        for (std::size_t i = 1; i < rest.size(); ++i) {
            if (rest[i] >= 0x40 && rest[i] <= 0x7E) return true;
        }
        return false;
    }
    if (rest[0] == 'O') {
        for (std::size_t i = 1; i < rest.size(); ++i) {
            if (!(rest[i] >= '0' && rest[i] <= '9')) return true;
        }
        return false;
    }
    return true;
}

std::optional<host::KeyStroke> StrokeForEscape(std::u32string_view rest) {
    if (rest.empty()) return KeyStroke(VK_ESCAPE, 0);
    if (rest.size() == 1) {
        // Alt with a key; Alt+Esc is Esc.
        if (rest[0] == 27) return KeyStroke(VK_ESCAPE, 0);
        auto stroke = StrokeForCharacter(rest[0]);
        if (!stroke) return std::nullopt;
        stroke->controlState |= LEFT_ALT_PRESSED;
        return stroke;
    }
    char32_t final = rest.back();
    if (rest[0] == 'O') {
        // SS3: "OP" is F1, "O5P" Ctrl+F1 in some terminals.
        auto params = Parameters(rest.substr(1, rest.size() - 2));
        auto vk = KeyOfFinal(final);
        if (!vk) return std::nullopt;
        return KeyStroke(*vk, params.empty() ? 0 : ModifiersFromXterm(params[0]));
    }
    if (rest[0] != '[' || !EscapeComplete(rest)) return std::nullopt;
    std::u32string_view body = rest.substr(1, rest.size() - 2);
    auto params = Parameters(body);
    if (params.empty() && !body.empty()) return std::nullopt;
    auto param = [&](std::size_t i) { return i < params.size() ? params[i] : 0; };
    if (final == '~') {
        if (param(0) == 27) return CharacterWith(param(2), ModifiersFromXterm(param(1)));
        auto vk = KeyOfTilde(param(0));
        if (!vk) return std::nullopt;
        return KeyStroke(*vk, ModifiersFromXterm(param(1)));
    }
    if (final == 'u') return CharacterWith(param(0), ModifiersFromXterm(param(1)));
    if (final == 'Z') return KeyStroke(VK_TAB, SHIFT_PRESSED);
    auto vk = KeyOfFinal(final);
    if (!vk) return std::nullopt;
    return KeyStroke(*vk, ModifiersFromXterm(param(1)));
}

std::optional<host::KeyStroke> StrokeForCharacter(char32_t ch) {
    switch (ch) {
    case '\r': case '\n': return KeyStroke(VK_RETURN, 0);
    case '\t': return KeyStroke(VK_TAB, 0);
    case 127: return KeyStroke(VK_BACK, 0);
    case 8: return KeyStroke(VK_BACK, LEFT_CTRL_PRESSED);
    case 27: return KeyStroke(VK_ESCAPE, 0);
    case 0: {
        host::KeyStroke stroke;
        stroke.virtualKey = kVkSpace;
        stroke.controlState = LEFT_CTRL_PRESSED;
        return stroke;
    }
    default: break;
    }
    if (ch < 0x20) {
        // Ctrl+letter; the character is the control code, as the console gives it.
        host::KeyStroke stroke;
        stroke.virtualKey = static_cast<WORD>('A' + ch - 1);
        stroke.controlState = LEFT_CTRL_PRESSED;
        stroke.oemChar = static_cast<unsigned char>(ch);
        return stroke;
    }
    auto oem = engine::FromUnicode(engine::CodePage::Oem866, ch);
    if (!oem || *oem == 0) return std::nullopt;
    host::KeyStroke stroke;
    stroke.oemChar = *oem;
    char32_t latin = ch < 128 ? ch : LatinKeyOfCyrillic(ch);
    KeyPlace place = PlaceOfLatin(latin);
    stroke.virtualKey = place.virtualKey;
    bool capitalCyrillic = (ch >= 0x410 && ch <= 0x42F) || ch == 0x401;
    if (place.shift || capitalCyrillic) stroke.controlState |= SHIFT_PRESSED;
    return stroke;
}

}  // namespace edit
