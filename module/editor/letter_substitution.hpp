// Substitution of three Cyrillic letters typed by mistake for the Latin
// letters that look the same: capital EN by 'H', small ER by 'p', capital ER
// by 'P'. The typed key is swallowed and the Latin letter is fed to the
// editor instead, through its normal typing path. Whether a key is a letter
// to substitute at all (the setting, key down, no Ctrl or Alt) is the
// dispatch's decision; this feature owns the three letters.
#pragma once

#include <cstdint>

#include "api/ansi_api.hpp"

namespace marten {

// The Latin look-alike of a character typed in code page 866, or 0 when it
// is not one of the three letters.
char LatinLookAlike(unsigned char typed);

// The same for a character typed as a UTF-16 unit.
char LatinLookAlikeOfUnit(std::uint16_t typed);

// The character of a key record in the form the interface gives it: the
// OEM byte (char) or the UTF-16 unit.
template <class C>
C KeyCharacter(const KEY_EVENT_RECORD& key) {
    if constexpr (sizeof(C) == 1) {
        return key.uChar.AsciiChar;
    } else {
        return static_cast<C>(key.uChar.UnicodeChar);
    }
}

// The look-alike of a character in the form an interface carries it: a byte
// of code page 866 or a UTF-16 unit.
template <class C>
char LatinLookAlikeOf(C typed) {
    if constexpr (sizeof(C) == 1) {
        return LatinLookAlike(static_cast<unsigned char>(typed));
    } else {
        return LatinLookAlikeOfUnit(static_cast<std::uint16_t>(typed));
    }
}

// Feeds the Latin look-alike of the key's character to the editor and answers
// true (the key is consumed); false, feeding nothing, for any other character.
template <class Editor>
bool SubstituteLetter(Editor& ed, const KEY_EVENT_RECORD& key) {
    using C = typename Editor::Char;
    const char replacement = LatinLookAlikeOf(KeyCharacter<C>(key));
    if (replacement == 0) return false;
    ed.FeedKey(static_cast<C>(replacement));
    return true;
}

}  // namespace marten
