#include "module/unicode/config_ui.hpp"

#include <cstdint>
#include <vector>

#include "module/settings/stored_values.hpp"
#include "module/ui/config_menu.hpp"
#include "module/ui/dialog_values.hpp"
#include "module/unicode/guids.hpp"
#include "module/unicode/host_info.hpp"
#include "module/unicode/settings_store.hpp"

namespace marten::unicode {

namespace {

// The host's type and flags of each kind of item, in the order of ItemKind.
struct HostItemKind {
    unicode_api::FARDIALOGITEMTYPES type;
    unicode_api::FARDIALOGITEMFLAGS flags;
};
constexpr HostItemKind kHostKinds[] = {
    {unicode_api::DI_DOUBLEBOX, unicode_api::DIF_NONE},
    {unicode_api::DI_CHECKBOX, unicode_api::DIF_NONE},
    {unicode_api::DI_TEXT, unicode_api::DIF_NONE},
    {unicode_api::DI_EDIT, unicode_api::DIF_HISTORY},
    {unicode_api::DI_TEXT, unicode_api::DIF_SEPARATOR | unicode_api::DIF_BOXCOLOR},
    {unicode_api::DI_BUTTON, unicode_api::DIF_CENTERGROUP}};

int ConfigMenu(int previous) {
    if (Host.Menu == nullptr) return MenuLeft;
    unicode_api::FarMenuItem lines[ConfigMenuLineCount] = {};
    for (int i = 0; i < ConfigMenuLineCount; ++i) {
        if (kConfigMenuLines[i].separator) {
            lines[i].Flags = unicode_api::MIF_SEPARATOR;
        } else {
            lines[i].Text = Msg(kConfigMenuLines[i].text);
        }
    }
    const int current = previous >= 0 && previous < ConfigMenuLineCount ? previous : MenuConfigure;
    lines[current].Flags |= unicode_api::MIF_SELECTED;
    return static_cast<int>(Host.Menu(&kPluginGuid, &kConfigMenuGuid, -1, -1, 0,
                                      unicode_api::FMENU_WRAPMODE, Msg(kConfigMenuTitle), nullptr,
                                      nullptr, nullptr, nullptr, lines, ConfigMenuLineCount));
}

void AboutBox() {
    if (Host.Message == nullptr) return;
    const UnicodeText topic = FromAscii(kAboutTopic);
    const WChar kBlank[] = {0};
    const WChar* lines[kAboutLineCount] = {};
    for (int i = 0; i < kAboutLineCount; ++i) {
        const int text = kAboutLines[i];
        lines[i] = text == kBlankLine ? kBlank : Msg(static_cast<MsgId>(text));
    }
    Host.Message(&kPluginGuid, &kAboutGuid, unicode_api::FMSG_NONE, topic.c_str(), lines,
                 kAboutLineCount, kAboutButtonCount);
}

// The dialog's records with the settings shown in them, and the texts they
// point at, which must live until DialogInit has copied them.
struct DialogRecords {
    std::vector<unicode_api::FarDialogItem> items;
    std::vector<UnicodeText> texts;
};

void Build(DialogRecords& records) {
    const int count = kConfigLayout.count;
    records.items.assign(static_cast<std::size_t>(count), unicode_api::FarDialogItem{});
    // Two texts at most for each item (its value and its history): never moved.
    records.texts.reserve(static_cast<std::size_t>(2 * count));
    for (int i = 0; i < count; ++i) {
        const PlacedItem& placed = kConfigLayout.items[i];
        unicode_api::FarDialogItem& item = records.items[i];
        const HostItemKind& kind = kHostKinds[static_cast<int>(placed.kind)];
        item.Type = kind.type;
        item.X1 = placed.x1;
        item.Y1 = item.Y2 = placed.y;
        item.X2 = placed.x2;
        item.Flags = kind.flags;
        item.Data = Msg(placed.text);
    }
    ForEachSettingItem(kConfigLayout, [&](int i, const PlacedItem& placed, const SettingRow& row) {
        unicode_api::FarDialogItem& item = records.items[i];
        if (placed.kind == ItemKind::Check) {
            item.Selected = NumberValue(row) != 0 ? 1 : 0;
        } else if (placed.kind == ItemKind::Field) {
            records.texts.push_back(ShownField(row, TextSettings));
            item.Data = records.texts.back().c_str();
            records.texts.push_back(FromAscii(row.history));
            item.History = records.texts.back().c_str();
            if (row.kind == SettingKind::Text)
                item.MaxLength = static_cast<std::size_t>(row.bounds.max);
        }
    });
    records.items[ItemIndex(DialogFrame)].Y2 = kConfigLayout.frameBottom;
    records.items[ItemIndex(DialogEnableQuote)].Flags |= unicode_api::DIF_FOCUS;
    records.items[ItemIndex(DialogOk)].Flags |= unicode_api::DIF_DEFAULTBUTTON;
}

// What the user left in the dialog: a checkbox's state, a field's text, no
// further than the field's room.
void Take(HANDLE dialog) {
    ForEachSettingItem(kConfigLayout, [&](int i, const PlacedItem& placed, const SettingRow& row) {
        if (placed.kind == ItemKind::Check) {
            const std::intptr_t state =
                Host.SendDlgMessage(dialog, unicode_api::DM_GETCHECK, i, nullptr);
            SetNumberValue(row, state == unicode_api::BSTATE_CHECKED ? 1 : 0);
        } else if (placed.kind == ItemKind::Field) {
            TakeField(row,
                      reinterpret_cast<const WChar*>(
                          Host.SendDlgMessage(dialog, unicode_api::DM_GETCONSTTEXTPTR, i, nullptr)),
                      TextSettings);
        }
    });
}

}  // namespace

int ConfigDialog() {
    if (Host.DialogInit == nullptr || Host.DialogRun == nullptr || Host.DialogFree == nullptr ||
        Host.SendDlgMessage == nullptr) {
        return 0;
    }
    DialogRecords records;
    Build(records);
    const UnicodeText topic = FromAscii(kConfigureTopic);
    const HANDLE dialog =
        Host.DialogInit(&kPluginGuid, &kSettingsDialogGuid, -1, -1, kConfigLayout.width,
                        kConfigLayout.height, topic.c_str(), records.items.data(),
                        records.items.size(), 0, unicode_api::FDLG_NONE, nullptr, nullptr);
    if (dialog == INVALID_HANDLE_VALUE || dialog == nullptr) return 0;
    // Only the OK button confirms; Cancel and Esc leave everything as it was.
    const bool confirmed = Host.DialogRun(dialog) == ItemIndex(DialogOk);
    if (confirmed) Take(dialog);
    Host.DialogFree(dialog);
    if (!confirmed) return 0;
    SaveSettings();
    return 1;
}

int RunConfiguration() { return ConfigurationLoop(ConfigMenu, ConfigDialog, AboutBox); }

}  // namespace marten::unicode
