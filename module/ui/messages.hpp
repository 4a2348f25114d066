// Identifiers of the module's messages: indices into its language files,
// which hold one text per identifier in this order. The 1.x face's files
// end with the texts it shows; the texts of settings that only the other
// faces keep come after them, in those faces' files alone.
#pragma once

#include <cstdint>

namespace marten {

enum MsgId : std::int8_t {
    MFiller = 0,
    MOk = 1,
    MCancel = 2,
    MAbout = 3,
    MAboutTitle = 4,
    MAboutText = 5,
    MMenuTitle = 6,
    MPluginTitle = 7,
    MEnableQuote = 8,
    MEnableAutoWrap = 9,
    MEnableAutoIndent = 10,
    MEnableHPChange = 11,
    MRIndent = 12,
    MLIndent = 13,
    MConfigure = 14,
    MFileMask = 15,
    MBalanced = 16,
};

inline constexpr int kMessageCount = 17;

// The messages of the 1.x face's language files: MFiller to MFileMask.
inline constexpr int kAnsiMessageCount = 16;

}  // namespace marten
