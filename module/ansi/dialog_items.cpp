#include "module/ansi/dialog_items.hpp"

#include <cstring>

#include "module/ansi/host_info.hpp"
#include "module/ansi/host_text.hpp"

namespace marten::ansi {

namespace {

// The host's type and flags of each kind of item, in the order of ItemKind.
struct HostItemKind {
    int type;
    DWORD flags;
};
constexpr HostItemKind kHostKinds[] = {{DI_DOUBLEBOX, 0},
                                       {DI_CHECKBOX, 0},
                                       {DI_TEXT, 0},
                                       {DI_EDIT, DIF_HISTORY},
                                       {DI_TEXT, DIF_SEPARATOR | DIF_BOXCOLOR},
                                       {DI_BUTTON, DIF_CENTERGROUP}};

// An index the caller named, or `fallback` for 0 and for any index that
// would lie outside the array.
int ChosenIndex(int requested, int count, int fallback) {
    return requested > 0 && requested < count ? requested : fallback;
}

}  // namespace

void BuildDialogItems(const PlacedItem* table, FarDialogItem* items, int count, int defaultButton,
                      int focus) {
    if (count <= 0) return;
    std::memset(static_cast<void*>(items), 0, static_cast<std::size_t>(count) * sizeof *items);

    for (int i = 0; i < count; ++i) {
        const HostItemKind& kind = kHostKinds[static_cast<int>(table[i].kind)];
        items[i].Type = kind.type;
        items[i].X1 = table[i].x1;
        items[i].Y1 = table[i].y;
        items[i].X2 = table[i].x2;
        items[i].Flags = kind.flags;
        CopyBounded(items[i].Data, sizeof items[i].Data, MsgText(table[i].text));
    }

    // A table too short for the usual defaults falls back to its last item.
    const int lastItem = count - 1;
    const int button = ChosenIndex(defaultButton, count, count >= 2 ? count - 2 : lastItem);
    const int focused = ChosenIndex(focus, count, count > 2 ? 2 : lastItem);
    items[button].DefaultButton = 1;
    items[focused].Focus = 1;

    items[0].Y2 = table[lastItem].y + 1;
}

}  // namespace marten::ansi
