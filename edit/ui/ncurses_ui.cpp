#include "edit/ui/ncurses_ui.hpp"

#include <algorithm>
#include <cstring>
#include <deque>

#include "edit/ui/dialog_box.hpp"
#include "edit/ui/editor_help.hpp"
#include "edit/ui/help_view.hpp"
#include "edit/ui/menu_box.hpp"
#include "edit/ui/screen_text.hpp"

namespace edit {

MenuSpec MenuSpecOf(const host::MenuCall& call) {
    MenuSpec menu;
    menu.title = OemToText(call.title.value_or(""));
    menu.bottom = OemToText(call.bottom.value_or(""));
    menu.helpTopic = call.helpTopic.value_or("");
    menu.x = call.x;
    menu.y = call.y;
    menu.maxHeight = call.maxHeight;
    menu.showAmpersand = call.flags & FMENU_SHOWAMPERSAND;
    menu.autoHotkeys = call.flags & FMENU_AUTOHIGHLIGHT;
    menu.selected = 0;
    for (std::size_t i = 0; i < call.items.size(); ++i) {
        const FarMenuItem& item = call.items[i];
        MenuLine line;
        line.separator = item.Separator != 0;
        line.text = OemToText(std::string_view(item.Text, strnlen(item.Text, sizeof item.Text)));
        if (item.Checked) {
            // A number above 1 names the mark itself, in the OEM code page.
            line.check = item.Checked > 1 && item.Checked < 256
                             ? OemToText(std::string(1, static_cast<char>(item.Checked)))[0]
                             : U'√';
        }
        if (item.Selected && !line.separator) menu.selected = static_cast<int>(i);
        menu.lines.push_back(line);
    }
    return menu;
}

namespace {

// A message's items as title, body lines and the last `buttonCount` as buttons.
void SplitMessage(const std::vector<std::u32string>& items, int buttonCount, MessageSpec& message) {
    int count = static_cast<int>(items.size());
    int buttons = std::clamp(buttonCount, 0, std::max(count - 1, 0));
    for (int i = 0; i < count; ++i) {
        const std::u32string& text = items[static_cast<std::size_t>(i)];
        if (i == 0) {
            message.title = text;
        } else if (i >= count - buttons) {
            message.buttons.push_back(text);
        } else {
            message.lines.push_back(text);
        }
    }
}

std::u32string TextOf(const std::optional<std::u16string>& text) {
    return text ? Utf16ToText(*text) : std::u32string();
}

std::string TopicOf(const std::optional<std::u16string>& topic) {
    return topic ? TextToUtf8(Utf16ToText(*topic)) : std::string();
}

// A place or size a Unicode plug-in gives (-1 centres).
int Coordinate(std::intptr_t value) {
    return static_cast<int>(std::clamp<std::intptr_t>(value, -1, 10000));
}

}  // namespace

MessageSpec MessageSpecOf(const host::MessageCall& call) {
    MessageSpec message;
    message.warning = call.flags & FMSG_WARNING;
    message.leftAlign = call.flags & FMSG_LEFTALIGN;
    message.helpTopic = call.helpTopic.value_or("");
    std::vector<std::u32string> items;
    for (const auto& item : call.items) items.push_back(OemToText(item.value_or("")));
    SplitMessage(items, call.buttonCount, message);
    return message;
}

MenuSpec MenuSpecOf(const host::UnicodeMenuCall& call) {
    MenuSpec menu;
    menu.title = TextOf(call.title);
    menu.bottom = TextOf(call.bottom);
    menu.helpTopic = TopicOf(call.helpTopic);
    menu.x = Coordinate(call.x);
    menu.y = Coordinate(call.y);
    menu.maxHeight = std::max(Coordinate(call.maxHeight), 0);
    // The menu flags kept their 1.x values.
    menu.showAmpersand = call.flags & FMENU_SHOWAMPERSAND;
    menu.autoHotkeys = call.flags & FMENU_AUTOHIGHLIGHT;
    menu.selected = 0;
    for (std::size_t i = 0; i < call.items.size(); ++i) {
        const host::UnicodeMenuItem& item = call.items[i];
        MenuLine line;
        line.separator = (item.flags & unicode_api::MIF_SEPARATOR) != 0;
        line.text = Utf16ToText(item.text);
        if (item.flags & unicode_api::MIF_CHECKED) {
            // The low word, when set, is the mark itself.
            const auto mark = static_cast<char32_t>(item.flags & 0xFFFF);
            line.check = mark > 1 ? mark : U'√';
        }
        if ((item.flags & unicode_api::MIF_SELECTED) && !line.separator)
            menu.selected = static_cast<int>(i);
        menu.lines.push_back(line);
    }
    return menu;
}

MessageSpec MessageSpecOf(const host::UnicodeMessageCall& call) {
    MessageSpec message;
    message.warning = call.flags & unicode_api::FMSG_WARNING;
    message.leftAlign = call.flags & unicode_api::FMSG_LEFTALIGN;
    message.helpTopic = TopicOf(call.helpTopic);
    std::vector<std::u32string> items;
    for (const std::u16string& item : call.items) items.push_back(Utf16ToText(item));
    SplitMessage(items, call.buttonCount, message);
    return message;
}

NcursesUi::NcursesUi(const host::HelpFile* help, HistoryStore histories)
    : help_(help),
      histories_(std::move(histories)),
      unicodeHistories_(histories_.Subfolder("unicode")) {
    helpHandler_ = [this](const std::string& topic) { ShowHelp(topic); };
    editorHelpHandler_ = [this](const std::string& topic) { ShowEditorHelp(topic); };
}

int NcursesUi::Menu(const host::MenuCall& call) {
    return RunMenu(stack_, MenuSpecOf(call), helpHandler_);
}

int NcursesUi::Dialog(host::DialogCall& call) {
    return RunDialog(stack_, call, helpHandler_, histories_);
}

int NcursesUi::Message(const host::MessageCall& call) { return ShowMessage(MessageSpecOf(call)); }

int NcursesUi::UnicodeMenu(const host::UnicodeMenuCall& call) {
    return RunMenu(stack_, MenuSpecOf(call), helpHandler_);
}

int NcursesUi::UnicodeMessage(const host::UnicodeMessageCall& call) {
    return ShowMessage(MessageSpecOf(call));
}

// Drawn as marten-edit's own dialogs are, with Unicode texts, so that every
// character of a label or field reaches the screen and every character typed
// reaches the plug-in; a list shows as a field holding its current entry.
int NcursesUi::UnicodeDialog(host::UnicodeDialogCall& call) {
    // Data holds the text in code page 866, one byte a character, for the
    // layout's widths; the runner shows the Unicode text itself. Names
    // (histories, the help topic) are UTF-8.
    const host::TextForms forms{
        [](std::u16string_view text) { return TextToOem(Utf16ToText(text)); },
        [](std::u16string_view text) { return TextToUtf8(Utf16ToText(text)); }};
    host::AnsiDialog dialog = host::AnsiDialogOf(call, forms);
    const std::size_t count = call.items.size();
    std::vector<std::u32string> texts(count);
    std::vector<std::size_t> maxLengths(count);
    for (std::size_t i = 0; i < count; ++i) {
        texts[i] = Utf16ToText(host::ShownText(call.items[i]));
        maxLengths[i] = call.items[i].maxLength;
    }
    const std::vector<std::u32string> shown = texts;
    const int answer =
        RunTextDialog(stack_, dialog.call, texts, helpHandler_, unicodeHistories_, maxLengths);
    // A text the user left alone stays as the plug-in gave it, units that
    // are no characters (a lone surrogate) included.
    std::vector<std::optional<std::u16string>> changed(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (texts[i] != shown[i]) changed[i] = TextToUtf16(texts[i]);
    }
    host::TakeBack(call, dialog.items, changed);
    return answer;
}

int NcursesUi::ShowMenu(const MenuSpec& menu) { return RunMenu(stack_, menu, helpHandler_); }

int NcursesUi::ShowMessage(const MessageSpec& message) {
    return RunMessage(stack_, message, helpHandler_);
}

void NcursesUi::ShowHelp(const std::string& topic) { RunHelp(stack_, help_, topic); }

bool NcursesUi::ShowPluginHelp(const std::string& topic) {
    ShowHelp(topic);
    return true;
}

void NcursesUi::ShowEditorHelp(const std::string& topic) {
    RunHelp(stack_, HelpShelf{{kEditorHelpName, &EditorHelp()}, {kPluginHelpName, help_}},
            HelpTarget{"", topic});
}

int NcursesUi::RunForm(DialogForm& form, const std::string& helpTopic) {
    host::DialogCall call = form.Call(helpTopic);
    return RunTextDialog(stack_, call, form.Texts(), editorHelpHandler_, histories_);
}

}  // namespace edit
