// Constant descriptions of dialog items and their expansion into the host's
// dialog records.
#pragma once

#include <cstdint>

#include "api/ansi_api.hpp"
#include "module/plugin/messages.hpp"

namespace marten {

// One initial dialog item. There is no Y2: it stays 0 except in the frame,
// which BuildDialogItems sizes to the items below it.
struct ItemTemplate {
    std::int32_t Type;
    std::int32_t X1;
    std::int32_t Y1;
    std::int32_t X2;
    std::uint32_t Flags;
    MsgId Text;
};

// Fills `items` (zeroed first) from `table`, `count` entries each, with the
// message texts in Data. A default-button or focus index of 0, or one outside
// 1..count-1, picks the default: count - 2 for the button, 2 for the focus.
// Item 0 is the frame: its Y2 becomes the last item's Y1 plus 1.
void BuildDialogItems(const ItemTemplate* table, FarDialogItem* items, int count,
                      int defaultButton, int focus);

}  // namespace marten
