// A Ui that plays the user from answers queued in advance and records every
// call for the tests. With the queue empty, every service answers -1 (the
// user leaves), so a script that runs short never hangs.
#pragma once

#include <deque>
#include <string>
#include <variant>
#include <vector>

#include "host/ui.hpp"

namespace host {

// What the user does in one dialog before it closes.
struct DialogAnswer {
    struct Toggle { int item; };                       // flip a checkbox
    struct Type { int item; std::string text; };       // replace an edit field's text
    using Step = std::variant<Toggle, Type>;
    std::vector<Step> steps;
    int closeWith = -1;  // the item index that closes it (a button), -1 for Esc
};

// A dialog call as recorded: its arguments and the items before and after.
struct DialogRecord {
    DialogCall call;  // `items` is not kept valid; see the copies below
    std::vector<FarDialogItem> itemsShown;
    std::vector<FarDialogItem> itemsReturned;
    std::vector<std::string> histories;  // History of each item with DIF_HISTORY, else ""
    int answer = -1;
};

class ScriptedUi : public Ui {
public:
    void ChooseMenu(int index);  // the next menu answers `index`
    void LeaveMenu();            // the next menu answers -1
    void AnswerDialog(DialogAnswer answer);
    void AnswerMessage(int button);

    int Menu(const MenuCall& call) override;
    int Dialog(DialogCall& call) override;
    int Message(const MessageCall& call) override;

    std::vector<MenuCall> menus;
    std::vector<DialogRecord> dialogs;
    std::vector<MessageCall> messages;
    std::vector<char> order;  // 'M', 'D', 'B' (message box), one per call in order
    // Steps of a queued answer that did not fit the dialog shown (an index out
    // of range, a toggle of an item that is no checkbox or radio button, typing
    // into an item that is no edit field); such a step changes nothing.
    std::vector<std::string> scriptErrors;

private:
    std::deque<int> menuAnswers_;
    std::deque<DialogAnswer> dialogAnswers_;
    std::deque<int> messageAnswers_;
};

}  // namespace host
