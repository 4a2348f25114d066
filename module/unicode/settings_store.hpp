// The seven settings of the Unicode face in the host's settings store, under
// the plug-in's GUID: the switches as QWORD 0 or 1, the margins as the QWORD
// two's complement of their signed value, FileMask as a string. A value that
// is missing, of another type or out of bounds counts as unreadable and its
// default is written. On the first start the values of the ANSI face's
// registry key are taken over once; this face never writes the registry.
#pragma once

#include "module/runtime/text.hpp"
#include "module/unicode/host_info.hpp"

namespace marten::unicode {

// Where a host of the usual installation kept the ANSI face's settings,
// below HKEY_CURRENT_USER.
inline constexpr const char* kAnsiSettingsKey = "Software\\Far\\Plugins\\Tansy\\Marten";

// The longest FileMask the store may hold.
inline constexpr std::size_t kMaxFileMaskLength = 255;

// Settings and FileMaskW from the store (or the registry, once); every
// unreadable value keeps its default, which is written back.
void LoadSettingsW();

// Writes all seven values, changed or not.
void SaveSettingsW();

// A text of the system's ANSI code page in UTF-16.
UnicodeText AnsiToWide(const Text& ansi);

}  // namespace marten::unicode
