// A Unicode plug-in's menus, dialogs and message boxes shown through the
// 1.x calls of a Ui that does not draw them itself, and the dialog's layout
// in 1.x records that every UI draws it from.
#include <algorithm>
#include <cstring>

#include "engine/text16.hpp"
#include "host/ui.hpp"

namespace host {

namespace {

// The OEM form of a text, '?' for a character code page 866 lacks.
std::string ToOem(std::u16string_view text) {
    const engine::LineCodec& oem = engine::CodecOf(engine::CodePage::Oem866);
    std::string bytes;
    for (char16_t unit : text) {
        if (!oem.FromUtf16(std::u16string_view(&unit, 1), bytes)) bytes += '?';
    }
    return bytes;
}

std::optional<std::string> OptionalOem(const std::optional<std::u16string>& text) {
    if (!text) return std::nullopt;
    return ToOem(std::u16string_view(*text));
}

template <std::size_t N>
void CopyInto(char (&field)[N], const std::string& text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

// A place or size a Unicode plug-in gives (-1 centres).
int ToInt(std::intptr_t value) {
    return static_cast<int>(std::clamp<std::intptr_t>(value, -1, 10000));
}

bool IsList(const UnicodeDialogItem& item) {
    return item.type == unicode_api::DI_COMBOBOX || item.type == unicode_api::DI_LISTBOX;
}

}  // namespace

int Ui::UnicodeMenu(const UnicodeMenuCall& call) {
    MenuCall ansi{0,
                  ToInt(call.x),
                  ToInt(call.y),
                  ToInt(call.maxHeight),
                  static_cast<DWORD>(call.flags & 0xFF),
                  OptionalOem(call.title),
                  OptionalOem(call.bottom),
                  OptionalOem(call.helpTopic),
                  call.hasBreakKeys,
                  call.hasBreakKeys,
                  {}};
    for (const UnicodeMenuItem& item : call.items) {
        FarMenuItem entry{};
        CopyInto(entry.Text, ToOem(item.text));
        entry.Selected = (item.flags & unicode_api::MIF_SELECTED) != 0;
        entry.Checked = (item.flags & unicode_api::MIF_CHECKED) != 0;
        entry.Separator = (item.flags & unicode_api::MIF_SEPARATOR) != 0;
        ansi.items.push_back(entry);
    }
    return Menu(ansi);
}

int Ui::UnicodeMessage(const UnicodeMessageCall& call) {
    DWORD flags = 0;
    if (call.flags & unicode_api::FMSG_WARNING) flags |= FMSG_WARNING;
    if (call.flags & unicode_api::FMSG_LEFTALIGN) flags |= FMSG_LEFTALIGN;
    MessageCall ansi{0, flags, OptionalOem(call.helpTopic), {}, call.buttonCount};
    for (const std::u16string& item : call.items) ansi.items.push_back(ToOem(item));
    return Message(ansi);
}

const std::u16string& ShownText(const UnicodeDialogItem& item) {
    const bool inList =
        item.listPos >= 0 && static_cast<std::size_t>(item.listPos) < item.list.size();
    return IsList(item) && inList ? item.list[static_cast<std::size_t>(item.listPos)] : item.data;
}

AnsiDialog AnsiDialogOf(const UnicodeDialogCall& call, const TextForms& forms) {
    AnsiDialog dialog;
    dialog.items.resize(call.items.size());
    for (std::size_t i = 0; i < call.items.size(); ++i) {
        const UnicodeDialogItem& from = call.items[i];
        FarDialogItem& to = dialog.items[i];
        to.Type = IsList(from) ? static_cast<int>(DI_EDIT) : static_cast<int>(from.type);
        to.X1 = ToInt(from.x1), to.Y1 = ToInt(from.y1), to.X2 = ToInt(from.x2),
        to.Y2 = ToInt(from.y2);
        to.Focus = (from.flags & unicode_api::DIF_FOCUS) != 0;
        to.DefaultButton = (from.flags & unicode_api::DIF_DEFAULTBUTTON) != 0;
        // The low flags kept their 1.x values.
        to.Flags = static_cast<DWORD>(from.flags & 0xFFFFFFFF);
        if (from.history && (from.flags & unicode_api::DIF_HISTORY) &&
            from.type == unicode_api::DI_EDIT) {
            to.Param.History = dialog.histories.emplace_back(forms.name(*from.history)).c_str();
        } else {
            to.Param.Selected = static_cast<int>(from.selected);
        }
        CopyInto(to.Data, forms.data(ShownText(from)));
    }
    dialog.call =
        DialogCall{0,
                   ToInt(call.x1),
                   ToInt(call.y1),
                   ToInt(call.x2),
                   ToInt(call.y2),
                   call.helpTopic ? std::optional(forms.name(*call.helpTopic)) : std::nullopt,
                   dialog.items.data(),
                   static_cast<int>(dialog.items.size())};
    return dialog;
}

void TakeBack(UnicodeDialogCall& call, const std::vector<FarDialogItem>& items,
              const std::vector<std::optional<std::u16string>>& changed) {
    for (std::size_t i = 0; i < call.items.size(); ++i) {
        UnicodeDialogItem& item = call.items[i];
        if (item.type == unicode_api::DI_CHECKBOX || item.type == unicode_api::DI_RADIOBUTTON) {
            item.selected = items[i].Param.Selected;
        }
        if (!changed[i]) continue;
        item.data = *changed[i];
        if (IsList(item)) {
            const auto found = std::find(item.list.begin(), item.list.end(), item.data);
            if (found != item.list.end()) item.listPos = found - item.list.begin();
        }
    }
}

int Ui::UnicodeDialog(UnicodeDialogCall& call) {
    const TextForms oem{[](std::u16string_view text) { return ToOem(text); },
                        [](std::u16string_view text) { return ToOem(text); }};
    AnsiDialog dialog = AnsiDialogOf(call, oem);
    const std::vector<FarDialogItem> shown = dialog.items;
    const int answer = Dialog(dialog.call);
    // Only a text the user changed is taken back, so that characters the
    // OEM code page lacks survive a dialog closed without touching them.
    std::vector<std::optional<std::u16string>> changed(call.items.size());
    for (std::size_t i = 0; i < changed.size(); ++i) {
        if (std::strcmp(dialog.items[i].Data, shown[i].Data) != 0)
            changed[i] =
                engine::ToUtf16(engine::CodecOf(engine::CodePage::Oem866), dialog.items[i].Data);
    }
    TakeBack(call, dialog.items, changed);
    return answer;
}

bool Ui::ShowPluginHelp(const std::string& /*topic*/) { return false; }

}  // namespace host
