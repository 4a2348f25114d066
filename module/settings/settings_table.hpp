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
    Flag,    // on or off, a field of Settings
    Number,  // a 32-bit signed number, a field of Settings
    Text,    // a text in the face's own characters, kept by the face (TextSettingsOf)
};

// The values a store may hold for a setting: of a Flag or Number row, the
// lowest and highest number; of a Text row, from none to `max` characters.
// A stored value outside them is unreadable, and the default is written in
// its place.
struct Bounds {
    std::int64_t min, max;
};
inline constexpr Bounds kOnOrOff = {0, 1};
inline constexpr Bounds kInt32 = {std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int32_t>::max()};
inline constexpr Bounds kUpTo255 = {0, 255};

// One setting. A row shows nowhere and is stored nowhere in a face that it
// does not name; there it keeps its default.
struct SettingRow {
    SettingId id;
    const char* name;  // the value's name in the registry and in the settings stores
    SettingKind kind;
    std::int32_t SettingsRecord::*field;  // of a Flag or Number row
    std::int32_t defaultNumber;           // of a Flag or Number row
    const char* defaultText;              // of a Text row, ASCII
    Bounds bounds;
    const char* history;  // the name the host keeps the field's earlier entries under
    Faces faces;          // the faces that keep and show the setting
    // The faces whose store keeps any stored value of a Flag row that fits
    // a byte, whatever its bounds, taking each one but 0 as on: the 1.x
    // registry has always taken the byte it found as it stands.
    Faces foreignFlagsKept;
};

// The rows in the order of SettingId, which is also the order in which the
// stores write them. Each: id, name, kind, field, default, default text,
// bounds, history, faces, faces that keep foreign flags.
inline constexpr SettingRow kSettingRows[kSettingCount] = {
    {kEnableQuote, "EnableQuote", SettingKind::Flag, &SettingsRecord::EnableQuote, 1, nullptr,
     kOnOrOff, nullptr, kEveryFace, kAnsiFace},
    {kEnableAutoWrap, "EnableAutoWrap", SettingKind::Flag, &SettingsRecord::EnableAutoWrap, 1,
     nullptr, kOnOrOff, nullptr, kEveryFace, kAnsiFace},
    {kEnableAutoIndent, "EnableAutoIndent", SettingKind::Flag, &SettingsRecord::EnableAutoIndent, 1,
     nullptr, kOnOrOff, nullptr, kEveryFace, kAnsiFace},
    {kEnableHPChange, "EnableHPChange", SettingKind::Flag, &SettingsRecord::EnableHPChange, 1,
     nullptr, kOnOrOff, nullptr, kEveryFace, kAnsiFace},
    {kRIndent, "RIndent", SettingKind::Number, &SettingsRecord::RIndent, 78, nullptr, kInt32,
     "Tansy\\Marten\\RIndent", kEveryFace, 0},
    {kLIndent, "LIndent", SettingKind::Number, &SettingsRecord::LIndent, 0, nullptr, kInt32,
     "Tansy\\Marten\\LIndent", kEveryFace, 0},
    {kFileMask, "FileMask", SettingKind::Text, nullptr, 0, "*.msg,golded.*", kUpTo255,
     "Tansy\\Marten\\FileMask", kEveryFace, 0},
    {kBalanced, "Balanced", SettingKind::Flag, &SettingsRecord::Balanced, 0, nullptr, kOnOrOff,
     nullptr, kUnicodeFace | kFar2lFace, 0},
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
inline std::int32_t NumberValue(const SettingRow& row) { return Settings.*row.field; }

inline void SetNumberValue(const SettingRow& row, std::int32_t value) {
    Settings.*row.field = value;
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
