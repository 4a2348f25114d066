// The settings dialog: the seven settings in one host dialog, taken into
// Settings and stored when the user confirms it.
#pragma once

#include "module/ui/dialog_template.hpp"

namespace marten {

// Positions of the dialog's items, which are also the host's item indices.
// The separators come last in the table although they lie between the groups.
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

inline constexpr DWORD kSeparatorFlags = DIF_SEPARATOR | DIF_BOXCOLOR;

inline constexpr ItemTemplate ConfigItems[ConfigItemCount] = {
    {DI_DOUBLEBOX, 3, 1, 50, 0, MPluginTitle},
    {DI_CHECKBOX, 5, 2, 0, 0, MEnableQuote},
    {DI_CHECKBOX, 5, 3, 0, 0, MEnableAutoWrap},
    {DI_CHECKBOX, 5, 4, 0, 0, MEnableAutoIndent},
    {DI_CHECKBOX, 5, 5, 0, 0, MEnableHPChange},
    {DI_TEXT, 9, 7, 30, 0, MLIndent},
    {DI_EDIT, 5, 7, 7, DIF_HISTORY, MFiller},
    {DI_TEXT, 9, 8, 30, 0, MRIndent},
    {DI_EDIT, 5, 8, 7, DIF_HISTORY, MFiller},
    {DI_TEXT, 5, 10, 30, 0, MFileMask},
    {DI_EDIT, 5, 11, 48, DIF_HISTORY, MFiller},
    {DI_TEXT, 4, 6, 30, kSeparatorFlags, MFiller},
    {DI_TEXT, 4, 9, 30, kSeparatorFlags, MFiller},
    {DI_TEXT, 4, 12, 30, kSeparatorFlags, MFiller},
    {DI_BUTTON, 4, 13, 0, DIF_CENTERGROUP, MOk},
    {DI_BUTTON, 0, 13, 0, DIF_CENTERGROUP, MCancel},
};

// Names under which the host keeps the earlier entries of the edit fields.
inline constexpr const char* kLIndentHistory = "Tansy\\Marten\\LIndent";
inline constexpr const char* kRIndentHistory = "Tansy\\Marten\\RIndent";
inline constexpr const char* kFileMaskHistory = "Tansy\\Marten\\FileMask";

// Help topic of the dialog.
inline constexpr const char* kConfigureTopic = "dlgConfigure";

// The longest text taken from or into an edit field.
inline constexpr std::size_t kFieldTextLimit = 255;

// Shows the dialog with the current settings. Returns 1 when the user
// confirmed and the new values were taken and stored, else 0 (also when the
// host offers no Dialog service).
int ConfigDialog();

}  // namespace marten
