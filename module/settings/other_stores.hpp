// Where the module's other builds keep their settings, for the faces that
// take them over once on their first start: the 1.x face's registry key and
// the Unicode build's store, and the 1.x registry's text read as the 1.x
// face reads it.
#pragma once

#include <optional>

#include "module/runtime/text.hpp"
#include "module/settings/registry_settings.hpp"
#include "module/settings/settings_table.hpp"
#include "module/settings/stored_values.hpp"

namespace marten {

// Where a 1.x host of the usual installation kept the 1.x face's settings,
// below HKEY_CURRENT_USER.
Text AnsiSettingsKey();

// True when the 1.x face's key is there.
bool AnsiSettingsExist();

// The Unicode build's plug-in GUID as its settings store writes it: the
// section of the store and the name of its file.
inline constexpr const char* kUnicodeStoreName = "{29117A56-E534-48E4-AD93-3178D955845F}";

// A character of code page 1251, the ANSI page of a Russian system, in which
// the host of our own keeps registry text: its code point (U+FFFD for 0x98,
// which holds none).
char32_t Cp1251Char(unsigned char byte);

// The 1.x face's values of the settings both it and `face` keep, each one
// that cannot be read (or does not fit) left as it is; the texts through
// `fromAnsi` (Text to BasicText<C>). False, nothing changed, when there is no
// such key.
template <class C, class FromAnsi>
bool TakeAnsiSettings(Face face, TextSettingsOf<C>& texts, FromAnsi fromAnsi) {
    const Text key = AnsiSettingsKey();
    if (!AnsiSettingsExist()) return false;
    for (const SettingRow& row : kSettingRows) {
        if (!Keeps(face, row) || !Keeps(kAnsiFace, row)) continue;
        if (row.kind == SettingKind::Text) {
            if (const std::optional<Text> stored = ReadRegistryText(key, row)) {
                BasicText<C> text = fromAnsi(*stored);
                if (TextFits(row, text.size())) texts[row.id] = std::move(text);
            }
            continue;
        }
        const std::optional<std::int32_t> stored = ReadRegistryNumber(key, row);
        // As the 1.x face takes it: a flag's byte other than 0 counts as on.
        const std::optional<std::int32_t> taken =
            stored ? TakenNumber(row, *stored, kAnsiFace) : std::nullopt;
        if (taken) SetNumberValue(row, TakenOver(row, *taken));
    }
    return true;
}

}  // namespace marten
