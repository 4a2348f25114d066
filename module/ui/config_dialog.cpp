#include "module/ui/config_dialog.hpp"

#include <cstddef>
#include <cstring>

#include "module/plugin/host_info.hpp"
#include "module/settings/settings.hpp"
#include "module/ui/heap_array.hpp"
#include "module/ui/host_text.hpp"
#include "module/ui/number_text.hpp"

namespace marten {

namespace {

// The frame sets the dialog's size: with the position -1, -1 the host takes
// X2 and Y2 as width and height.
constexpr int kFrameMarginX = 4;
constexpr int kFrameMarginY = 2;

void PutText(FarDialogItem& item, const char* text, std::size_t length) {
    if (length > kFieldTextLimit) length = kFieldTextLimit;
    std::memcpy(item.Data, text, length);
    item.Data[length] = '\0';
}

void PutNumber(FarDialogItem& item, std::int32_t value, const char* history) {
    const Text digits = IntToText(value);
    PutText(item, digits.data(), digits.size());
    item.Param.History = history;
}

std::int32_t TakeNumber(const FarDialogItem& item) {
    return TextToInt({item.Data, BoundedLength(item.Data, kFieldTextLimit)});
}

void ShowSettings(HeapArray<FarDialogItem>& items) {
    items[ItemEnableQuote].Param.Selected = Settings.EnableQuote ? 1 : 0;
    items[ItemEnableAutoWrap].Param.Selected = Settings.EnableAutoWrap ? 1 : 0;
    items[ItemEnableAutoIndent].Param.Selected = Settings.EnableAutoIndent ? 1 : 0;
    items[ItemEnableHPChange].Param.Selected = Settings.EnableHPChange ? 1 : 0;
    PutNumber(items[ItemLIndent], Settings.LIndent, kLIndentHistory);
    PutNumber(items[ItemRIndent], Settings.RIndent, kRIndentHistory);
    PutText(items[ItemFileMask], Settings.FileMask.data(), Settings.FileMask.size());
    items[ItemFileMask].Param.History = kFileMaskHistory;
    items[ItemEnableQuote].Flags |= DIF_GROUP;
}

Flag TakeFlag(const FarDialogItem& item) {
    return item.Param.Selected == 1 ? 1 : 0;
}

void TakeSettings(HeapArray<FarDialogItem>& items) {
    Settings.EnableQuote = TakeFlag(items[ItemEnableQuote]);
    Settings.EnableAutoWrap = TakeFlag(items[ItemEnableAutoWrap]);
    Settings.EnableAutoIndent = TakeFlag(items[ItemEnableAutoIndent]);
    Settings.EnableHPChange = TakeFlag(items[ItemEnableHPChange]);
    Settings.LIndent = TakeNumber(items[ItemLIndent]);
    Settings.RIndent = TakeNumber(items[ItemRIndent]);
    const FarDialogItem& mask = items[ItemFileMask];
    Settings.FileMask.assign(mask.Data, BoundedLength(mask.Data, kFieldTextLimit));
}

}  // namespace

int ConfigDialog() {
    if (HostInfo.Dialog == nullptr) return 0;

    HeapArray<FarDialogItem> items(ConfigItemCount);
    BuildDialogItems(ConfigItems, items.data(), ConfigItemCount, 0, ItemOk);
    ShowSettings(items);

    const int answer = HostInfo.Dialog(HostInfo.ModuleNumber, -1, -1,
                                       items[ItemFrame].X2 + kFrameMarginX,
                                       items[ItemFrame].Y2 + kFrameMarginY, kConfigureTopic,
                                       items.data(), ConfigItemCount);
    // Only the OK button confirms; Cancel and Esc leave everything as it was.
    if (answer != ItemOk) return 0;

    TakeSettings(items);
    SaveSettings();
    return 1;
}

}  // namespace marten
