// Substitution of three Cyrillic letters typed by mistake for the Latin
// letters that look the same: capital EN by 'H', small ER by 'p', capital ER
// by 'P'. The typed key is swallowed and the Latin letter is fed to the
// editor instead, through its normal typing path.
#pragma once

#include "api/plugin_api.hpp"

namespace marten {

// Feeds the replacement of a substituted letter to the editor and answers
// true (the key is consumed); false for every other key.
bool SubstituteLetter(const KEY_EVENT_RECORD& key);

}  // namespace marten
