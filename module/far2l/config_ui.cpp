#include "module/far2l/config_ui.hpp"

#include <cstdint>
#include <string>
#include <vector>

#include "module/far2l/host_info.hpp"
#include "module/far2l/settings_file.hpp"
#include "module/settings/stored_values.hpp"
#include "module/ui/config_menu.hpp"
#include "module/ui/dialog_values.hpp"

namespace marten::far2l {

namespace {

// far2l's type and flags of each kind of item, in the order of ItemKind.
struct HostItemKind {
    int type;
    DWORD flags;
};
constexpr HostItemKind kHostKinds[] = {
    {far2l_api::DI_DOUBLEBOX, 0},
    {far2l_api::DI_CHECKBOX, 0},
    {far2l_api::DI_TEXT, 0},
    {far2l_api::DI_EDIT, far2l_api::DIF_HISTORY},
    {far2l_api::DI_TEXT, far2l_api::DIF_SEPARATOR | far2l_api::DIF_BOXCOLOR},
    {far2l_api::DI_BUTTON, far2l_api::DIF_CENTERGROUP}};

WideText FromAscii(const char* ascii) {
    WideText text;
    for (; *ascii != '\0'; ++ascii) text += static_cast<wchar_t>(*ascii);
    return text;
}

int ConfigMenu(int previous) {
    if (Host.Menu == nullptr) return MenuLeft;
    far2l_api::FarMenuItem lines[ConfigMenuLineCount] = {};
    for (int i = 0; i < ConfigMenuLineCount; ++i) {
        if (kConfigMenuLines[i].separator) {
            lines[i].Separator = 1;
            lines[i].Text = L"";
        } else {
            lines[i].Text = Msg(kConfigMenuLines[i].text);
        }
    }
    const int current = previous >= 0 && previous < ConfigMenuLineCount ? previous : MenuConfigure;
    lines[current].Selected = 1;
    return Host.Menu(Host.ModuleNumber, -1, -1, 0, far2l_api::FMENU_WRAPMODE, Msg(kConfigMenuTitle),
                     nullptr, nullptr, nullptr, nullptr, lines, ConfigMenuLineCount);
}

void AboutBox() {
    if (Host.Message == nullptr) return;
    const WideText topic = FromAscii(kAboutTopic);
    const wchar_t* lines[kAboutLineCount] = {};
    for (int i = 0; i < kAboutLineCount; ++i) {
        const int text = kAboutLines[i];
        lines[i] = text == kBlankLine ? L"" : Msg(static_cast<MsgId>(text));
    }
    Host.Message(Host.ModuleNumber, 0, topic.c_str(), lines, kAboutLineCount, kAboutButtonCount);
}

// Tells the user, once, that the settings file could not be read and was
// moved aside, and under which name; the defaults are in force.
void TellMovedAside() {
    const std::string aside = TakeMovedAsideNote();
    if (aside.empty() || Host.Message == nullptr) return;
    // The name on a line of its own, below its folder, so that a long
    // folder cut by the box still leaves the name to be read.
    const std::size_t slash = aside.rfind('/');
    const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    const WideText where = FromUtf8(aside.substr(0, nameAt)).value_or(FromAscii("?"));
    const WideText name = FromUtf8(aside.substr(nameAt)).value_or(FromAscii("?"));
    const wchar_t* lines[] = {Msg(MPluginTitle), Msg(MSettingsMovedAside), where.c_str(),
                              name.c_str(), Msg(MOk)};
    Host.Message(Host.ModuleNumber, far2l_api::FMSG_WARNING, nullptr, lines,
                 static_cast<int>(std::size(lines)), 1);
}

// The dialog's records with the settings shown in them, and the texts they
// point at, which must live until the dialog is freed.
struct DialogRecords {
    std::vector<far2l_api::FarDialogItem> items;
    std::vector<WideText> texts;
};

void Build(DialogRecords& records) {
    const int count = kConfigLayout.count;
    records.items.assign(static_cast<std::size_t>(count), far2l_api::FarDialogItem{});
    // Two texts at most for each item (its value and its history): never moved.
    records.texts.reserve(static_cast<std::size_t>(2 * count));
    for (int i = 0; i < count; ++i) {
        const PlacedItem& placed = kConfigLayout.items[i];
        far2l_api::FarDialogItem& item = records.items[static_cast<std::size_t>(i)];
        const HostItemKind& kind = kHostKinds[static_cast<int>(placed.kind)];
        item.Type = kind.type;
        item.X1 = placed.x1;
        item.Y1 = item.Y2 = placed.y;
        item.X2 = placed.x2;
        item.Flags = kind.flags;
        item.PtrData = Msg(placed.text);
    }
    ForEachSettingItem(kConfigLayout, [&](int i, const PlacedItem& placed, const SettingRow& row) {
        far2l_api::FarDialogItem& item = records.items[static_cast<std::size_t>(i)];
        if (placed.kind == ItemKind::Check) {
            item.Selected = NumberValue(row) != 0 ? 1 : 0;
        } else if (placed.kind == ItemKind::Field) {
            records.texts.push_back(ShownField(row, TextSettings));
            item.PtrData = records.texts.back().c_str();
            records.texts.push_back(FromAscii(row.history));
            item.History = records.texts.back().c_str();
            if (row.kind == SettingKind::Text)
                item.MaxLen = static_cast<std::size_t>(row.bounds.max);
        }
    });
    records.items[static_cast<std::size_t>(ItemIndex(DialogFrame))].Y2 = kConfigLayout.frameBottom;
    records.items[static_cast<std::size_t>(ItemIndex(DialogEnableQuote))].Focus = 1;
    records.items[static_cast<std::size_t>(ItemIndex(DialogOk))].DefaultButton = 1;
}

// What the user left in the dialog: a checkbox's state, a field's text, no
// further than the field's room.
void Take(HANDLE dialog) {
    ForEachSettingItem(kConfigLayout, [&](int i, const PlacedItem& placed, const SettingRow& row) {
        if (placed.kind == ItemKind::Check) {
            const far2l_api::LONG_PTR state =
                Host.SendDlgMessage(dialog, far2l_api::DM_GETCHECK, i, 0);
            SetNumberValue(row, state == far2l_api::BSTATE_CHECKED ? 1 : 0);
        } else if (placed.kind == ItemKind::Field) {
            TakeField(row,
                      reinterpret_cast<const wchar_t*>(
                          Host.SendDlgMessage(dialog, far2l_api::DM_GETCONSTTEXTPTR, i, 0)),
                      TextSettings);
        }
    });
}

}  // namespace

int ConfigDialog() {
    TellMovedAside();
    if (Host.DialogInit == nullptr || Host.DialogRun == nullptr || Host.DialogFree == nullptr ||
        Host.SendDlgMessage == nullptr) {
        return 0;
    }
    DialogRecords records;
    Build(records);
    const WideText topic = FromAscii(kConfigureTopic);
    const HANDLE dialog = Host.DialogInit(
        Host.ModuleNumber, -1, -1, kConfigLayout.width, kConfigLayout.height, topic.c_str(),
        records.items.data(), static_cast<unsigned>(records.items.size()), 0, 0, nullptr, 0);
    if (dialog == INVALID_HANDLE_VALUE || dialog == nullptr) return 0;
    // Only the OK button confirms; Cancel and Esc leave everything as it was.
    const bool confirmed = Host.DialogRun(dialog) == ItemIndex(DialogOk);
    if (confirmed) Take(dialog);
    Host.DialogFree(dialog);
    if (!confirmed) return 0;
    SaveSettings();
    return 1;
}

int RunConfiguration() {
    TellMovedAside();
    return ConfigurationLoop(ConfigMenu, ConfigDialog, AboutBox);
}

}  // namespace marten::far2l
