// A Unicode plug-in's menus, dialogs and message boxes shown through the
// ANSI calls of a Ui that does not draw them itself.
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

int ToInt(std::intptr_t value) {
    return static_cast<int>(std::clamp<std::intptr_t>(value, -1, 10000));
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

int Ui::UnicodeDialog(UnicodeDialogCall& call) {
    std::vector<FarDialogItem> items(call.items.size());
    std::vector<std::string> histories(call.items.size());
    for (std::size_t i = 0; i < call.items.size(); ++i) {
        const UnicodeDialogItem& from = call.items[i];
        FarDialogItem& to = items[i];
        const bool list =
            from.type == unicode_api::DI_COMBOBOX || from.type == unicode_api::DI_LISTBOX;
        // A list is shown as an edit field holding its current entry.
        to.Type = list ? static_cast<int>(DI_EDIT) : static_cast<int>(from.type);
        to.X1 = ToInt(from.x1), to.Y1 = ToInt(from.y1), to.X2 = ToInt(from.x2),
        to.Y2 = ToInt(from.y2);
        to.Focus = (from.flags & unicode_api::DIF_FOCUS) != 0;
        to.DefaultButton = (from.flags & unicode_api::DIF_DEFAULTBUTTON) != 0;
        to.Flags = static_cast<DWORD>(from.flags & 0xFFFFFFFF);
        if (from.history && (from.flags & unicode_api::DIF_HISTORY) &&
            from.type == unicode_api::DI_EDIT) {
            histories[i] = ToOem(*from.history);
            to.Param.History = histories[i].c_str();
        } else {
            to.Param.Selected = static_cast<int>(from.selected);
        }
        const bool inList =
            list && from.listPos >= 0 && static_cast<std::size_t>(from.listPos) < from.list.size();
        CopyInto(to.Data,
                 ToOem(inList ? from.list[static_cast<std::size_t>(from.listPos)] : from.data));
    }
    std::vector<FarDialogItem> shown = items;
    DialogCall ansi{0,
                    ToInt(call.x1),
                    ToInt(call.y1),
                    ToInt(call.x2),
                    ToInt(call.y2),
                    OptionalOem(call.helpTopic),
                    items.data(),
                    static_cast<int>(items.size())};
    const int answer = Dialog(ansi);
    for (std::size_t i = 0; i < call.items.size(); ++i) {
        UnicodeDialogItem& item = call.items[i];
        if (item.type == unicode_api::DI_CHECKBOX || item.type == unicode_api::DI_RADIOBUTTON) {
            item.selected = items[i].Param.Selected;
        }
        // Only a text the user changed is taken back, so that characters the
        // OEM code page lacks survive a dialog closed without touching them.
        if (std::strcmp(items[i].Data, shown[i].Data) == 0) continue;
        const std::u16string typed =
            engine::ToUtf16(engine::CodecOf(engine::CodePage::Oem866), items[i].Data);
        if (item.type == unicode_api::DI_COMBOBOX || item.type == unicode_api::DI_LISTBOX) {
            const auto found = std::find(item.list.begin(), item.list.end(), typed);
            if (found != item.list.end()) item.listPos = found - item.list.begin();
        }
        item.data = typed;
    }
    return answer;
}

bool Ui::ShowPluginHelp(const std::string& /*topic*/) { return false; }

}  // namespace host
