// A setting as the registry keeps it, where the 1.x face stores its settings
// and from where the other faces take them over once: a flag as one byte
// (REG_BINARY), a number as a DWORD, a text as a REG_SZ of at most 255
// characters in the system's ANSI code page.
#pragma once

#include <cstdint>
#include <optional>

#include "module/runtime/text.hpp"
#include "module/settings/settings_table.hpp"

namespace marten {

// The stored value of a Flag or Number row under `key` (below
// HKEY_CURRENT_USER), as it stands; nothing when it cannot be read.
std::optional<std::int32_t> ReadRegistryNumber(const Text& key, const SettingRow& row);

// The stored text of a Text row: up to its first NUL, at most 255 characters.
std::optional<Text> ReadRegistryText(const Text& key, const SettingRow& row);

void WriteRegistryNumber(const Text& key, const SettingRow& row, std::int32_t value);
void WriteRegistryText(const Text& key, const SettingRow& row, const Text& text);

}  // namespace marten
