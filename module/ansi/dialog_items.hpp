// The settings dialog's items, as the shared description places them, turned
// into the 1.x host's dialog records.
#pragma once

#include "api/ansi_api.hpp"
#include "module/ui/settings_dialog.hpp"

namespace marten::ansi {

// Fills `items` (zeroed first) from `table`, `count` entries each: the
// host's type and flags for each kind of item, its place, the message text
// in Data. A default-button or focus index of 0, or one outside
// 1..count-1, picks the default: count - 2 for the button, 2 for the focus.
// Item 0 is the frame: its Y2 becomes the last item's line plus 1.
void BuildDialogItems(const PlacedItem* table, FarDialogItem* items, int count, int defaultButton,
                      int focus);

}  // namespace marten::ansi
