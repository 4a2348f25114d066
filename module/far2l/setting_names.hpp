// The seven settings as this face's stores name them: the names of the 1.x
// face's registry values, which its settings file and the takeover of
// marten-edit's settings both use.
#pragma once

#include <cstddef>
#include <cstdint>

#include "module/settings/settings.hpp"

namespace marten::far2l {

struct FlagSetting {
    const char* name;
    Flag SettingsRecord::*field;
};

struct NumberSetting {
    const char* name;
    std::int32_t SettingsRecord::*field;
};

// In the order the settings file lists them, the mask last.
inline constexpr FlagSetting kFlagSettings[] = {
    {"EnableQuote", &SettingsRecord::EnableQuote},
    {"EnableAutoWrap", &SettingsRecord::EnableAutoWrap},
    {"EnableAutoIndent", &SettingsRecord::EnableAutoIndent},
    {"EnableHPChange", &SettingsRecord::EnableHPChange},
};

inline constexpr NumberSetting kNumberSettings[] = {
    {"RIndent", &SettingsRecord::RIndent},
    {"LIndent", &SettingsRecord::LIndent},
};

inline constexpr const char* kFileMaskName = "FileMask";

// The longest mask a store may hold, in characters.
inline constexpr std::size_t kMaxFileMaskLength = 255;

}  // namespace marten::far2l
