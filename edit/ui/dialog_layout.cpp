#include "edit/ui/dialog_layout.hpp"

#include <algorithm>
#include <cstring>

#include "edit/ui/screen_text.hpp"

namespace edit {
namespace {

int LabelLength(const FarDialogItem& item) {
    std::size_t length = strnlen(item.Data, sizeof item.Data);
    return static_cast<int>(ParseHotkey(OemToText(std::string_view(item.Data, length))).text.size());
}

}  // namespace

DialogRect PlaceDialog(int x1, int y1, int x2, int y2, int screenWidth, int screenHeight) {
    DialogRect rect;
    rect.width = x1 < 0 ? x2 : x2 - x1 + 1;
    rect.height = y1 < 0 ? y2 : y2 - y1 + 1;
    rect.width = std::clamp(rect.width, 1, std::max(screenWidth, 1));
    rect.height = std::clamp(rect.height, 1, std::max(screenHeight, 1));
    rect.x = x1 < 0 ? (screenWidth - rect.width) / 2 : x1;
    rect.y = y1 < 0 ? (screenHeight - rect.height) / 2 : y1;
    rect.x = std::clamp(rect.x, 0, std::max(screenWidth - rect.width, 0));
    rect.y = std::clamp(rect.y, 0, std::max(screenHeight - rect.height, 0));
    return rect;
}

bool IsFocusable(const FarDialogItem& item) {
    switch (item.Type) {
    case DI_EDIT: case DI_PSWEDIT: case DI_FIXEDIT: case DI_BUTTON: case DI_CHECKBOX:
    case DI_RADIOBUTTON:
        return true;
    default:
        return false;
    }
}

int ItemWidth(const FarDialogItem& item) {
    switch (item.Type) {
    case DI_BUTTON: case DI_CHECKBOX: case DI_RADIOBUTTON: return LabelLength(item) + 4;
    case DI_EDIT: case DI_PSWEDIT: case DI_FIXEDIT: return std::max(item.X2 - item.X1 + 1, 1);
    case DI_TEXT: return LabelLength(item);
    default: return std::max(item.X2 - item.X1 + 1, 1);
    }
}

std::vector<int> ItemColumns(const FarDialogItem* items, int count, int dialogWidth) {
    std::vector<int> columns(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count;) {
        if (!(items[i].Flags & DIF_CENTERGROUP)) {
            columns[static_cast<std::size_t>(i)] = items[i].X1;
            ++i;
            continue;
        }
        int end = i;
        int total = -1;
        while (end < count && (items[end].Flags & DIF_CENTERGROUP) && items[end].Y1 == items[i].Y1) {
            total += ItemWidth(items[end]) + 1;
            ++end;
        }
        int x = std::max((dialogWidth - total) / 2, 0);
        for (int k = i; k < end; ++k) {
            columns[static_cast<std::size_t>(k)] = x;
            x += ItemWidth(items[k]) + 1;
        }
        i = end;
    }
    return columns;
}

int NextFocus(const FarDialogItem* items, int count, int from, int step) {
    for (int tries = 1; tries <= count; ++tries) {
        int at = ((from + step * tries) % count + count) % count;
        if (IsFocusable(items[at])) return at;
    }
    return from;
}

int InitialFocus(const FarDialogItem* items, int count) {
    for (int i = 0; i < count; ++i) {
        if (items[i].Focus && IsFocusable(items[i])) return i;
    }
    for (int i = 0; i < count; ++i) {
        if (IsFocusable(items[i])) return i;
    }
    return -1;
}

int DefaultItem(const FarDialogItem* items, int count) {
    for (int i = 0; i < count; ++i) {
        if (items[i].DefaultButton) return i;
    }
    return -1;
}

std::vector<int> RadioGroup(const FarDialogItem* items, int count, int item) {
    int first = item;
    while (first > 0 && !(items[first].Flags & DIF_GROUP) && items[first - 1].Type == DI_RADIOBUTTON) {
        --first;
    }
    std::vector<int> group{first};
    for (int i = first + 1; i < count && items[i].Type == DI_RADIOBUTTON && !(items[i].Flags & DIF_GROUP); ++i) {
        group.push_back(i);
    }
    return group;
}

}  // namespace edit
