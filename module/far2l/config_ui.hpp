// far2l's face's configuration: the module's menu, the settings dialog and
// the About box drawn by far2l, from the shared descriptions, and the one
// note that a damaged settings file was moved aside.
#pragma once

#include "module/ui/settings_dialog.hpp"

namespace marten::far2l {

// The settings dialog's items as this face shows them.
inline constexpr DialogLayout kConfigLayout = LayoutFor(kFar2lFace);

// The index of item `id` in this face's dialog.
constexpr int ItemIndex(DialogItemId id) { return IndexIn(kFar2lFace, id); }

// The menu until the user leaves it; 1 when the last dialog was confirmed.
// A settings file moved aside is told first, once.
int RunConfiguration();

// Shows the settings dialog; 1 when the user confirmed and the values were
// taken and stored, else 0 (also without the dialog services).
int ConfigDialog();

}  // namespace marten::far2l
