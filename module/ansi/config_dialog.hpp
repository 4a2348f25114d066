// The 1.x face's settings dialog: the settings it keeps in one host dialog,
// taken into Settings and stored when the user confirms it.
#pragma once

#include "module/ui/settings_dialog.hpp"

namespace marten::ansi {

// The dialog's items as the 1.x host gets them, which are also its item
// indices. The separators come last although they lie between the groups.
enum ConfigItemIndex : int {
    ItemFrame = 0,
    ItemEnableQuote = 1,
    ItemEnableAutoWrap = 2,
    ItemEnableAutoIndent = 3,
    ItemEnableHPChange = 4,
    ItemLIndentLabel = 5,
    ItemLIndent = 6,
    ItemRIndentLabel = 7,
    ItemRIndent = 8,
    ItemFileMaskLabel = 9,
    ItemFileMask = 10,
    ItemSeparatorAfterSwitches = 11,
    ItemSeparatorAfterIndents = 12,
    ItemSeparatorAfterMask = 13,
    ItemOk = 14,
    ItemCancel = 15,
    ConfigItemCount = 16,
};

// The items the face shows, from the shared description.
inline constexpr DialogLayout kConfigLayout = LayoutFor(kAnsiFace);

static_assert(kConfigLayout.count == ConfigItemCount);
static_assert(IndexIn(kAnsiFace, DialogEnableQuote) == ItemEnableQuote);
static_assert(IndexIn(kAnsiFace, DialogEnableHPChange) == ItemEnableHPChange);
static_assert(IndexIn(kAnsiFace, DialogLIndent) == ItemLIndent);
static_assert(IndexIn(kAnsiFace, DialogRIndent) == ItemRIndent);
static_assert(IndexIn(kAnsiFace, DialogFileMask) == ItemFileMask);
static_assert(IndexIn(kAnsiFace, DialogSeparatorAfterMask) == ItemSeparatorAfterMask);
static_assert(IndexIn(kAnsiFace, DialogOk) == ItemOk);
static_assert(IndexIn(kAnsiFace, DialogCancel) == ItemCancel);

// Shows the dialog with the current settings. Returns 1 when the user
// confirmed and the new values were taken and stored, else 0 (also when the
// host offers no Dialog service).
int ConfigDialog();

}  // namespace marten::ansi
