#include "module/ansi/config_dialog.hpp"

#include <cstddef>
#include <cstring>

#include "module/ansi/dialog_items.hpp"
#include "module/ansi/heap_array.hpp"
#include "module/ansi/host_info.hpp"
#include "module/ansi/host_text.hpp"
#include "module/ansi/settings_store.hpp"
#include "module/ui/number_text.hpp"

namespace marten::ansi {

namespace {

void PutText(FarDialogItem& item, const char* text, std::size_t length) {
    if (length > kFieldTextLimit) length = kFieldTextLimit;
    std::memcpy(item.Data, text, length);
    item.Data[length] = '\0';
}

std::size_t FieldLength(const FarDialogItem& item) {
    return BoundedLength(item.Data, kFieldTextLimit);
}

// Each item of a setting shows the setting's value; each field keeps its
// history under the row's name.
void ShowSettings(HeapArray<FarDialogItem>& items) {
    for (int i = 0; i < ConfigItemCount; ++i) {
        const PlacedItem& placed = kConfigLayout.items[i];
        if (placed.setting == kNoSetting) continue;
        const SettingRow& row = RowOf(static_cast<SettingId>(placed.setting));
        FarDialogItem& item = items[static_cast<std::size_t>(i)];
        if (placed.kind == ItemKind::Check) {
            item.Param.Selected = NumberValue(row) != 0 ? 1 : 0;
        } else if (placed.kind == ItemKind::Field && row.kind == SettingKind::Text) {
            const Text& text = TextSettings[row.id];
            PutText(item, text.data(), text.size());
            item.Param.History = row.history;
        } else if (placed.kind == ItemKind::Field) {
            const Text digits = IntToText(NumberValue(row));
            PutText(item, digits.data(), digits.size());
            item.Param.History = row.history;
        }
    }
    items[ItemEnableQuote].Flags |= DIF_GROUP;
}

// Only a tick (1) turns a checkbox's setting on; a field's text is read no
// further than 255 characters.
void TakeSettings(HeapArray<FarDialogItem>& items) {
    for (int i = 0; i < ConfigItemCount; ++i) {
        const PlacedItem& placed = kConfigLayout.items[i];
        if (placed.setting == kNoSetting) continue;
        const SettingRow& row = RowOf(static_cast<SettingId>(placed.setting));
        const FarDialogItem& item = items[static_cast<std::size_t>(i)];
        if (placed.kind == ItemKind::Check) {
            SetNumberValue(row, item.Param.Selected == 1 ? 1 : 0);
        } else if (placed.kind == ItemKind::Field && row.kind == SettingKind::Text) {
            TextSettings[row.id].assign(item.Data, FieldLength(item));
        } else if (placed.kind == ItemKind::Field) {
            SetNumberValue(row, TextToInt({item.Data, FieldLength(item)}));
        }
    }
}

}  // namespace

int ConfigDialog() {
    if (HostInfo.Dialog == nullptr) return 0;

    HeapArray<FarDialogItem> items(ConfigItemCount);
    BuildDialogItems(kConfigLayout.items.data(), items.data(), ConfigItemCount, 0, ItemOk);
    ShowSettings(items);

    const int answer =
        HostInfo.Dialog(HostInfo.ModuleNumber, -1, -1, kConfigLayout.width, kConfigLayout.height,
                        kConfigureTopic, items.data(), ConfigItemCount);
    // Only the OK button confirms; Cancel and Esc leave everything as it was.
    if (answer != ItemOk) return 0;

    TakeSettings(items);
    SaveSettings();
    return 1;
}

}  // namespace marten::ansi
