// Identifiers of the module's messages: indices into its language files,
// which hold one text per identifier in this order.
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
};

inline constexpr int kMessageCount = 16;

}  // namespace marten
