// The one-time takeover of the settings a user already has in marten-edit,
// for a far2l profile that has no settings file yet: those of the Unicode
// build (its settings store file, marten/PluginsData/<the module's GUID>.reg
// under the user's configuration folder) when they are there, else the 1.x
// build's values under HKEY_CURRENT_USER\Software\Far\Plugins\Tansy\Marten
// in marten-edit's registry file ($MARTEN_REGISTRY, else marten/registry.reg
// there). Each is read as that build reads it.
#pragma once

#include <string>

#include "module/far2l/wide_text.hpp"
#include "module/settings/settings.hpp"

namespace marten::far2l {

// The Unicode build's store file; empty when no configuration folder is known.
std::string UnicodeStorePath();

// Puts marten-edit's values into Settings and `texts`, each one that cannot
// be read left as it is; false, nothing changed, when neither build has
// settings there.
bool TakeOverMartenEditSettings(TextSettingsOf<wchar_t>& texts);

}  // namespace marten::far2l
