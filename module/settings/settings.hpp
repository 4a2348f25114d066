// The module's settings in memory: the switches and numbers that the rules
// read, one record for every face, and the texts, which each face keeps in
// its own characters. settings_table.hpp describes each setting.
#pragma once

#include <array>
#include <cstdint>

#include "module/runtime/text.hpp"

namespace marten {

// The settings, in the order of the table's rows.
enum SettingId : int {
    kEnableQuote,
    kEnableAutoWrap,
    kEnableAutoIndent,
    kEnableHPChange,
    kRIndent,
    kLIndent,
    kFileMask,
    kBalanced,
    kSettingCount,
};

// A Boolean setting as the registry stores it: one byte, 0 or 1 (a foreign
// byte counts as true).
using Flag = std::uint8_t;

// The switches hold 0 for off and anything else for on: 1 as every face
// stores them, or the foreign byte the 1.x face found in the registry.
struct SettingsRecord {
    std::int32_t EnableQuote;
    std::int32_t EnableAutoWrap;
    std::int32_t EnableAutoIndent;
    std::int32_t EnableHPChange;
    std::int32_t RIndent;   // right margin, in characters
    std::int32_t LIndent;   // continuation indent, in spaces
    std::int32_t Balanced;  // the reflow breaks a paragraph with the least raggedness
};

extern SettingsRecord Settings;

// The text settings of a face, in the face's own characters (the editor's
// bytes or UTF-16 units), by SettingId; only the Text rows' entries are used.
template <class C>
using TextSettingsOf = std::array<BasicText<C>, kSettingCount>;

}  // namespace marten
