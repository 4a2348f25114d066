// The Unicode face's settings in the host's settings store, under the
// plug-in's GUID: every setting the face keeps as its row's value there,
// the switches as QWORD 0 or 1, the numbers as the QWORD two's complement of
// their signed value, the texts as strings. A value that is missing, of
// another type or out of its row's bounds counts as unreadable and its
// default is written. On the first start the values of the 1.x face's
// registry key are taken over once; this face never writes the registry.
#pragma once

#include "module/runtime/text.hpp"
#include "module/settings/settings.hpp"
#include "module/unicode/host_info.hpp"

namespace marten::unicode {

// The face's text settings (FileMask), in UTF-16.
extern TextSettingsOf<WChar> TextSettings;

// Settings and TextSettings from the store (or the registry, once); every
// unreadable value keeps its default, which is written back.
void LoadSettings();

// Writes every value the face keeps, changed or not.
void SaveSettings();

// A text of the system's ANSI code page in UTF-16.
UnicodeText AnsiToUnicode(const Text& ansi);

}  // namespace marten::unicode
