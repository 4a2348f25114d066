// The 1.x face's settings in the registry, below the host's root key: every
// setting the face keeps as its row's registry value.
#pragma once

#include "module/runtime/text.hpp"
#include "module/settings/settings.hpp"

namespace marten::ansi {

// The face's text settings (FileMask), in the editor's own bytes.
extern TextSettingsOf<char> TextSettings;

// The registry path of the settings below HKEY_CURRENT_USER, formed by LoadSettings.
extern Text SettingsKey;

// `path` with a backslash appended unless it is empty or ends in '\' or ':'.
Text WithBackslash(Text path);

// Settings and TextSettings from the registry: every setting at its default
// first, then each value the face keeps read; one that cannot be read keeps
// its default, which is written back at once.
void LoadSettings();

// Writes every value the face keeps, changed or not.
void SaveSettings();

}  // namespace marten::ansi
