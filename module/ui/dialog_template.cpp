#include "module/ui/dialog_template.hpp"

#include <cstring>

#include "module/plugin/host_info.hpp"
#include "module/ui/host_text.hpp"

namespace marten {

namespace {

// An index the caller named, or `fallback` for 0 and for any index that
// would lie outside the array.
int ChosenIndex(int requested, int count, int fallback) {
    return requested > 0 && requested < count ? requested : fallback;
}

}  // namespace

void BuildDialogItems(const ItemTemplate* table, FarDialogItem* items, int count,
                      int defaultButton, int focus) {
    if (count <= 0) return;
    std::memset(static_cast<void*>(items), 0, static_cast<std::size_t>(count) * sizeof *items);

    for (int i = 0; i < count; ++i) {
        items[i].Type = table[i].Type;
        items[i].X1 = table[i].X1;
        items[i].Y1 = table[i].Y1;
        items[i].X2 = table[i].X2;
        items[i].Flags = table[i].Flags;
        CopyBounded(items[i].Data, sizeof items[i].Data, MsgText(table[i].Text));
    }

    // A table too short for the usual defaults falls back to its last item.
    const int lastItem = count - 1;
    const int button = ChosenIndex(defaultButton, count, count >= 2 ? count - 2 : lastItem);
    const int focused = ChosenIndex(focus, count, count > 2 ? 2 : lastItem);
    items[button].DefaultButton = 1;
    items[focused].Focus = 1;

    items[0].Y2 = table[lastItem].Y1 + 1;
}

}  // namespace marten
