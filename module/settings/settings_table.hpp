// The module's settings, one row each: the name every store keeps it under,
// where it lives in memory, its kind, default and bounds, the history of its
// dialog field, and which faces keep and show it. Every store, the one-time
// takeover and every dialog loop over these rows; a setting added later is
// one more row (and its field), kept by the faces the row names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

#include "module/settings/settings.hpp"

namespace marten {

// The faces of the module, one per plug-in interface it speaks.
enum Face : std::uint8_t {
    kAnsiFace = 1 << 0,     // the 1.x series' ANSI interface
    kUnicodeFace = 1 << 1,  // the 3.x series' Unicode interface
    kFar2lFace = 1 << 2,    // far2l's interface
};
using Faces = std::uint8_t;
inline constexpr Faces kEveryFace = kAnsiFace | kUnicodeFace | kFar2lFace;

enum class SettingKind : std::uint8_t {
    Flag,    // on or off: a Flag field of Settings
    Number,  // a 32-bit signed number: an int32 field of Settings
    Text,    // a text in the face's own characters: the face's TextSettings
};

// One setting. A row shows nowhere and is stored nowhere in a face that it
// does not name; there it keeps its default.
struct SettingRow {
    SettingId id;
    const char* name;  // the value's name in the registry and in the settings stores
    SettingKind kind;
    Flag SettingsRecord::*flag;            // of a Flag row
    std::int32_t SettingsRecord::*number;  // of a Number row
    std::int32_t defaultNumber;            // of a Flag or Number row
    const char* defaultText;               // of a Text row, ASCII
    // The values a store may hold for a Flag or Number row; any other is
    // unreadable, and the default is written in its place.
    std::int64_t min, max;
    std::size_t maxLength;  // of a Text row, in the face's characters
    const char* history;    // the name the host keeps the field's earlier entries under
    Faces faces;            // the faces that keep and show the setting
    // The faces whose store keeps any stored value of a Flag row, whatever
    // its bounds, taking each one but 0 as on: the 1.x registry has always
    // taken the byte it found as it stands.
    Faces foreignFlagsKept;
};

constexpr SettingRow FlagRow(SettingId id, const char* name, Flag SettingsRecord::*field,
                             std::int32_t defaultValue, Faces faces, Faces foreignKept) {
    return {.id = id,
            .name = name,
            .kind = SettingKind::Flag,
            .flag = field,
            .defaultNumber = defaultValue,
            .min = 0,
            .max = 1,
            .faces = faces,
            .foreignFlagsKept = foreignKept};
}

constexpr SettingRow NumberRow(SettingId id, const char* name, std::int32_t SettingsRecord::*field,
                               std::int32_t defaultValue, const char* history, Faces faces) {
    return {.id = id,
            .name = name,
            .kind = SettingKind::Number,
            .number = field,
            .defaultNumber = defaultValue,
            .min = std::numeric_limits<std::int32_t>::min(),
            .max = std::numeric_limits<std::int32_t>::max(),
            .history = history,
            .faces = faces};
}

constexpr SettingRow TextRow(SettingId id, const char* name, const char* defaultText,
                             std::size_t maxLength, const char* history, Faces faces) {
    return {.id = id,
            .name = name,
            .kind = SettingKind::Text,
            .defaultText = defaultText,
            .maxLength = maxLength,
            .history = history,
            .faces = faces};
}

// The rows in the order of SettingId, which is also the order in which the
// stores write them.
inline constexpr SettingRow kSettingRows[kSettingCount] = {
    FlagRow(kEnableQuote, "EnableQuote", &SettingsRecord::EnableQuote, 1, kEveryFace, kAnsiFace),
    FlagRow(kEnableAutoWrap, "EnableAutoWrap", &SettingsRecord::EnableAutoWrap, 1, kEveryFace,
            kAnsiFace),
    FlagRow(kEnableAutoIndent, "EnableAutoIndent", &SettingsRecord::EnableAutoIndent, 1, kEveryFace,
            kAnsiFace),
    FlagRow(kEnableHPChange, "EnableHPChange", &SettingsRecord::EnableHPChange, 1, kEveryFace,
            kAnsiFace),
    NumberRow(kRIndent, "RIndent", &SettingsRecord::RIndent, 78, "Tansy\\Marten\\RIndent",
              kEveryFace),
    NumberRow(kLIndent, "LIndent", &SettingsRecord::LIndent, 0, "Tansy\\Marten\\LIndent",
              kEveryFace),
    TextRow(kFileMask, "FileMask", "*.msg,golded.*", 255, "Tansy\\Marten\\FileMask", kEveryFace),
    FlagRow(kBalanced, "Balanced", &SettingsRecord::Balanced, 0, kUnicodeFace | kFar2lFace, 0),
};

constexpr bool RowsFollowTheirIds() {
    for (int i = 0; i < kSettingCount; ++i) {
        if (kSettingRows[i].id != i) return false;
    }
    return true;
}
static_assert(RowsFollowTheirIds(), "kSettingRows must list the settings in SettingId order");

constexpr const SettingRow& RowOf(SettingId id) { return kSettingRows[id]; }

constexpr bool Keeps(Face face, const SettingRow& row) { return (row.faces & face) != 0; }

// The value of a Flag or Number row as Settings holds it.
inline std::int32_t NumberValue(const SettingRow& row) {
    return row.kind == SettingKind::Flag ? Settings.*row.flag : Settings.*row.number;
}

inline void SetNumberValue(const SettingRow& row, std::int32_t value) {
    if (row.kind == SettingKind::Flag) {
        Settings.*row.flag = static_cast<Flag>(value);
    } else {
        Settings.*row.number = value;
    }
}

// The key below the host's settings root where the faces that keep their
// settings in the registry keep them.
inline constexpr const char* kSettingsSubkey = "Tansy\\Marten";

// Every setting of the table at its default, the texts of `texts` in the
// face's characters (the defaults are ASCII).
template <class C>
void SetDefaultSettings(TextSettingsOf<C>& texts) {
    for (const SettingRow& row : kSettingRows) {
        if (row.kind != SettingKind::Text) {
            SetNumberValue(row, row.defaultNumber);
            continue;
        }
        BasicText<C>& text = texts[row.id];
        text.clear();
        for (const char* c = row.defaultText; *c != '\0'; ++c) text += static_cast<C>(*c);
    }
}

}  // namespace marten
