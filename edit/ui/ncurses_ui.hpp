// The host's menus, dialogs and message boxes on the terminal, for the
// module (through host::Ui: the 1.x build's texts in OEM 866, the Unicode
// build's in UTF-16, each shown and handed back in full) and for marten-edit
// itself (texts in Unicode). F1 in the module's boxes opens the help window on the
// module's help file, in the editor's own on the editor's help.
#pragma once

#include <string>
#include <vector>

#include "edit/ui/dialog_form.hpp"
#include "edit/ui/history_store.hpp"
#include "edit/ui/message_box.hpp"
#include "edit/ui/modal_stack.hpp"
#include "host/language.hpp"
#include "host/ui.hpp"

namespace edit {

class NcursesUi : public host::Ui {
public:
    // `help` may be null (no help file); it must outlive the UI.
    NcursesUi(const host::HelpFile* help, HistoryStore histories);

    ModalStack& Stack() { return stack_; }

    int Menu(const host::MenuCall& call) override;
    int Dialog(host::DialogCall& call) override;
    int Message(const host::MessageCall& call) override;
    int UnicodeMenu(const host::UnicodeMenuCall& call) override;
    int UnicodeDialog(host::UnicodeDialogCall& call) override;
    int UnicodeMessage(const host::UnicodeMessageCall& call) override;

    int ShowMessage(const MessageSpec& message);
    // One of marten-edit's own menus; the line chosen, or -1.
    int ShowMenu(const MenuSpec& menu);
    // A topic of the module's help.
    void ShowHelp(const std::string& topic);
    // The same for a Unicode plug-in; true, as this UI can always show one.
    bool ShowPluginHelp(const std::string& topic) override;
    // A topic of the editor's help, whose links lead into the module's too.
    void ShowEditorHelp(const std::string& topic);
    // One of marten-edit's own dialogs (RunTextDialog); F1 shows `helpTopic`
    // of the editor's help. The item that closed it, or -1.
    int RunForm(DialogForm& form, const std::string& helpTopic);

private:
    const host::HelpFile* help_;
    HistoryStore histories_;
    HistoryStore unicodeHistories_;  // a Unicode plug-in's, in UTF-8
    ModalStack stack_;
    HelpHandler helpHandler_;
    HelpHandler editorHelpHandler_;
};

// The module's menu call in the terms of the menu box.
MenuSpec MenuSpecOf(const host::MenuCall& call);
// The module's message call: the first item is the title, the last
// `buttonCount` are buttons, null items show as empty lines.
MessageSpec MessageSpecOf(const host::MessageCall& call);
// The same for a Unicode plug-in's calls.
MenuSpec MenuSpecOf(const host::UnicodeMenuCall& call);
MessageSpec MessageSpecOf(const host::UnicodeMessageCall& call);

}  // namespace edit
