// Substitution of three Cyrillic letters typed by mistake for the Latin
// letters that look the same: capital EN by 'H', small ER by 'p', capital ER
// by 'P'. The typed key is swallowed and the Latin letter is fed to the
// editor instead, through its normal typing path. Whether a key is a letter
// to substitute at all (the setting, key down, no Ctrl or Alt) is the
// dispatch's decision; this feature owns the three letters.
#pragma once

#include "api/plugin_api.hpp"

namespace marten {

// The Latin look-alike of a character typed in code page 866, or 0 when it
// is not one of the three letters.
char LatinLookAlike(unsigned char typed);

// Feeds the Latin look-alike of the key's character to the editor and answers
// true (the key is consumed); false, feeding nothing, for any other character.
bool SubstituteLetter(const KEY_EVENT_RECORD& key);

}  // namespace marten
