// Identifiers of the module's messages: indices into its language files,
// which hold one text per identifier in this order. The 1.x face's files
// end with the texts it shows; the texts of settings that only the other
// faces keep come after them, in those faces' files alone.
#pragma once

#include <cstdint>

namespace marten {

// Numbered from 0 in this order.
enum MsgId : std::int8_t {
    MFiller,
    MOk,
    MCancel,
    MAbout,
    MAboutTitle,
    MAboutText,
    MMenuTitle,
    MPluginTitle,
    MEnableQuote,
    MEnableAutoWrap,
    MEnableAutoIndent,
    MEnableHPChange,
    MRIndent,
    MLIndent,
    MConfigure,
    MFileMask,
    // The texts of settings that the 1.x face does not keep.
    MBalanced,
    // far2l's face: its settings file could not be read and was moved aside.
    MSettingsMovedAside,
    // The reflow command's texts, which only the faces that offer it show.
    MReflowCommand,
    MReflowLeft,
    MReflowLeftWhy,
};

inline constexpr int kMessageCount = MReflowLeftWhy + 1;

// The messages of the 1.x face's language files: MFiller to MFileMask.
inline constexpr int kAnsiMessageCount = MBalanced;

static_assert(MFileMask == 15, "the 1.x face's language files hold 16 texts");

}  // namespace marten
