#include "edit/ui/ncurses_ui.hpp"

#include <algorithm>
#include <cstring>

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

MessageSpec MessageSpecOf(const host::MessageCall& call) {
    MessageSpec message;
    message.warning = call.flags & FMSG_WARNING;
    message.leftAlign = call.flags & FMSG_LEFTALIGN;
    message.helpTopic = call.helpTopic.value_or("");
    int count = static_cast<int>(call.items.size());
    int buttons = std::clamp(call.buttonCount, 0, std::max(count - 1, 0));
    for (int i = 0; i < count; ++i) {
        std::u32string text = OemToText(call.items[static_cast<std::size_t>(i)].value_or(""));
        if (i == 0) {
            message.title = text;
        } else if (i >= count - buttons) {
            message.buttons.push_back(text);
        } else {
            message.lines.push_back(text);
        }
    }
    return message;
}

NcursesUi::NcursesUi(const host::HelpFile* help, HistoryStore histories)
    : help_(help), histories_(std::move(histories)) {
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
