#include "module/unicode/config_ui.hpp"

#include <cstdint>
#include <vector>

#include "module/settings/settings.hpp"
#include "module/ui/config_dialog.hpp"
#include "module/ui/config_menu.hpp"
#include "module/ui/number_text.hpp"
#include "module/unicode/guids.hpp"
#include "module/unicode/host_info.hpp"
#include "module/unicode/settings_store.hpp"
#include "module/unicode/unicode_editor.hpp"

namespace marten::unicode {

namespace {

const WChar kConfigureTopicW[] = MARTEN_W("dlgConfigure");
const WChar kAboutTopicW[] = MARTEN_W("dlgAbout");
const WChar kLIndentHistoryW[] = MARTEN_W("Tansy\\Marten\\LIndent");
const WChar kRIndentHistoryW[] = MARTEN_W("Tansy\\Marten\\RIndent");
const WChar kFileMaskHistoryW[] = MARTEN_W("Tansy\\Marten\\FileMask");

constexpr std::intptr_t kFrameMarginX = 4;
constexpr std::intptr_t kFrameMarginY = 2;

// Digits are ASCII in both forms.
UnicodeText Widen(const Text& ascii) { return UnicodeText(ascii.begin(), ascii.end()); }

std::int32_t NumberOf(const WChar* text) {
    Text ascii;
    for (std::size_t i = 0; text != nullptr && text[i] != 0 && i < kFieldTextLimit; ++i) {
        ascii += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    }
    return TextToInt(ascii);
}

int ConfigMenuW(int previous) {
    if (Host.Menu == nullptr) return MenuLeft;
    unicode_api::FarMenuItem lines[ConfigMenuLineCount] = {};
    lines[MenuConfigure].Text = MsgW(MConfigure);
    lines[MenuSeparator].Flags = unicode_api::MIF_SEPARATOR;
    lines[MenuAbout].Text = MsgW(MAbout);
    const int current = previous >= 0 && previous < ConfigMenuLineCount ? previous : MenuConfigure;
    lines[current].Flags |= unicode_api::MIF_SELECTED;
    return static_cast<int>(Host.Menu(&kPluginGuid, &kConfigMenuGuid, -1, -1, 0,
                                      unicode_api::FMENU_WRAPMODE, MsgW(MMenuTitle), nullptr,
                                      nullptr, nullptr, nullptr, lines, ConfigMenuLineCount));
}

void AboutBoxW() {
    if (Host.Message == nullptr) return;
    const WChar kBlank[] = {0};
    const WChar* lines[] = {MsgW(MAboutTitle), kBlank, MsgW(MAboutText), MsgW(MFiller), MsgW(MOk)};
    Host.Message(&kPluginGuid, &kAboutGuid, unicode_api::FMSG_NONE, kAboutTopicW, lines, 5, 1);
}

}  // namespace

int ConfigDialogW() {
    if (Host.DialogInit == nullptr || Host.DialogRun == nullptr || Host.DialogFree == nullptr ||
        Host.SendDlgMessage == nullptr) {
        return 0;
    }
    // The item texts must live until DialogInit has copied them.
    const UnicodeText lIndent = Widen(IntToText(Settings.LIndent));
    const UnicodeText rIndent = Widen(IntToText(Settings.RIndent));
    std::vector<unicode_api::FarDialogItem> items(ConfigItemCount);
    std::intptr_t lastY = 0;
    for (int i = 0; i < ConfigItemCount; ++i) {
        const ItemTemplate& from = ConfigItems[i];
        unicode_api::FarDialogItem& item = items[i];
        item.Type = static_cast<unicode_api::FARDIALOGITEMTYPES>(from.Type);
        item.X1 = from.X1;
        item.Y1 = item.Y2 = from.Y1;
        item.X2 = from.X2;
        item.Flags = from.Flags;
        item.Data = MsgW(from.Text);
        if (from.Y1 > lastY) lastY = from.Y1;
    }
    items[ItemFrame].Y2 = lastY + 1;
    items[ItemEnableQuote].Selected = Settings.EnableQuote ? 1 : 0;
    items[ItemEnableAutoWrap].Selected = Settings.EnableAutoWrap ? 1 : 0;
    items[ItemEnableAutoIndent].Selected = Settings.EnableAutoIndent ? 1 : 0;
    items[ItemEnableHPChange].Selected = Settings.EnableHPChange ? 1 : 0;
    items[ItemLIndent].Data = lIndent.c_str();
    items[ItemLIndent].History = kLIndentHistoryW;
    items[ItemRIndent].Data = rIndent.c_str();
    items[ItemRIndent].History = kRIndentHistoryW;
    items[ItemFileMask].Data = FileMaskW.c_str();
    items[ItemFileMask].History = kFileMaskHistoryW;
    items[ItemFileMask].MaxLength = kMaxFileMaskLength;
    items[ItemEnableQuote].Flags |= unicode_api::DIF_FOCUS;
    items[ItemOk].Flags |= unicode_api::DIF_DEFAULTBUTTON;

    const HANDLE dialog = Host.DialogInit(
        &kPluginGuid, &kSettingsDialogGuid, -1, -1, items[ItemFrame].X2 + kFrameMarginX,
        items[ItemFrame].Y2 + kFrameMarginY, kConfigureTopicW, items.data(), items.size(), 0,
        unicode_api::FDLG_NONE, nullptr, nullptr);
    if (dialog == INVALID_HANDLE_VALUE || dialog == nullptr) return 0;
    // Only the OK button confirms; Cancel and Esc leave everything as it was.
    const bool confirmed = Host.DialogRun(dialog) == ItemOk;
    if (confirmed) {
        auto check = [dialog](int item) -> Flag {
            return Host.SendDlgMessage(dialog, unicode_api::DM_GETCHECK, item, nullptr) ==
                           unicode_api::BSTATE_CHECKED
                       ? 1
                       : 0;
        };
        auto text = [dialog](int item) {
            return reinterpret_cast<const WChar*>(
                Host.SendDlgMessage(dialog, unicode_api::DM_GETCONSTTEXTPTR, item, nullptr));
        };
        Settings.EnableQuote = check(ItemEnableQuote);
        Settings.EnableAutoWrap = check(ItemEnableAutoWrap);
        Settings.EnableAutoIndent = check(ItemEnableAutoIndent);
        Settings.EnableHPChange = check(ItemEnableHPChange);
        Settings.LIndent = NumberOf(text(ItemLIndent));
        Settings.RIndent = NumberOf(text(ItemRIndent));
        const WChar* mask = text(ItemFileMask);
        FileMaskW.clear();
        for (std::size_t i = 0; mask != nullptr && mask[i] != 0 && i < kMaxFileMaskLength; ++i) {
            FileMaskW += mask[i];
        }
    }
    Host.DialogFree(dialog);
    if (!confirmed) return 0;
    SaveSettingsW();
    return 1;
}

int RunConfigurationW() { return ConfigurationLoop(ConfigMenuW, ConfigDialogW, AboutBoxW); }

}  // namespace marten::unicode
