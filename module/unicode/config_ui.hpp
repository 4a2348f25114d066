// The Unicode face's configuration: the module's menu, the settings dialog
// and the About box through the host's GUID-identified services, from the
// shared descriptions.
#pragma once

#include "module/ui/settings_dialog.hpp"

namespace marten::unicode {

// The settings dialog's items as this face shows them.
inline constexpr DialogLayout kConfigLayout = LayoutFor(kUnicodeFace);

// The index of item `id` in this face's dialog.
constexpr int ItemIndex(DialogItemId id) { return IndexIn(kUnicodeFace, id); }

// The menu until the user leaves it; 1 when the last dialog was confirmed.
int RunConfiguration();

// Shows the settings dialog; 1 when the user confirmed and the values were
// taken and stored, else 0 (also without the dialog services).
int ConfigDialog();

}  // namespace marten::unicode
