#include "host/scripted_ui.hpp"

#include <algorithm>
#include <cstring>

namespace host {

namespace {

template <typename T>
bool Take(std::deque<T>& queue, T& out) {
    if (queue.empty()) return false;
    out = std::move(queue.front());
    queue.pop_front();
    return true;
}

// Records a menu or message box call and answers with the next queued
// answer, -1 (the user left) when none is queued.
template <typename Call>
int RecordAndAnswer(std::vector<Call>& seen, const Call& call, std::vector<char>& order, char kind,
                    std::deque<int>& answers) {
    seen.push_back(call);
    order.push_back(kind);
    int answer = -1;
    Take(answers, answer);
    return answer;
}

bool IsEditField(int type) { return type == DI_EDIT || type == DI_PSWEDIT || type == DI_FIXEDIT; }

// The History member of the item's union is meaningful only for an edit
// field that asks for a history; elsewhere the union holds Selected.
std::string HistoryOf(const FarDialogItem& item) {
    if (item.Type != DI_EDIT || (item.Flags & DIF_HISTORY) == 0 || item.Param.History == nullptr) {
        return {};
    }
    return item.Param.History;
}

}  // namespace

void ScriptedUi::ChooseMenu(int index) { menuAnswers_.push_back(index); }
void ScriptedUi::LeaveMenu() { menuAnswers_.push_back(-1); }
void ScriptedUi::AnswerDialog(DialogAnswer answer) { dialogAnswers_.push_back(std::move(answer)); }
void ScriptedUi::AnswerMessage(int button) { messageAnswers_.push_back(button); }

int ScriptedUi::Menu(const MenuCall& call) {
    return RecordAndAnswer(menus, call, order, 'M', menuAnswers_);
}

int ScriptedUi::Dialog(DialogCall& call) {
    order.push_back('D');
    DialogRecord record;
    record.call = call;
    FarDialogItem* items = call.items;
    const int count = items != nullptr ? call.itemCount : 0;
    record.itemsShown.assign(items, items + count);
    for (int i = 0; i < count; ++i) record.histories.push_back(HistoryOf(items[i]));

    DialogAnswer answer;
    if (Take(dialogAnswers_, answer)) {
        const std::size_t callNumber = dialogs.size() + 1;
        auto complain = [&](int item, const char* what) {
            scriptErrors.push_back("dialog " + std::to_string(callNumber) + ", item " +
                                   std::to_string(item) + ": " + what);
        };
        for (const DialogAnswer::Step& step : answer.steps) {
            if (const auto* toggle = std::get_if<DialogAnswer::Toggle>(&step)) {
                if (toggle->item < 0 || toggle->item >= count) {
                    complain(toggle->item, "no such item");
                    continue;
                }
                FarDialogItem& item = items[toggle->item];
                if (item.Type != DI_CHECKBOX && item.Type != DI_RADIOBUTTON) {
                    complain(toggle->item, "not a checkbox");
                    continue;
                }
                item.Param.Selected = item.Param.Selected == 0 ? 1 : 0;
            } else if (const auto* type = std::get_if<DialogAnswer::Type>(&step)) {
                if (type->item < 0 || type->item >= count) {
                    complain(type->item, "no such item");
                    continue;
                }
                FarDialogItem& item = items[type->item];
                if (!IsEditField(item.Type)) {
                    complain(type->item, "not an edit field");
                    continue;
                }
                // The field holds 511 bytes and its NUL, like the host's.
                const std::size_t length = std::min(type->text.size(), sizeof item.Data - 1);
                std::memset(item.Data, 0, sizeof item.Data);
                std::memcpy(item.Data, type->text.data(), length);
            }
        }
    } else {
        answer.closeWith = -1;  // nothing queued: the user leaves
    }

    record.itemsReturned.assign(items, items + count);
    record.answer = answer.closeWith;
    record.call.items = nullptr;  // the module's array does not outlive the call
    dialogs.push_back(std::move(record));
    return answer.closeWith;
}

int ScriptedUi::Message(const MessageCall& call) {
    return RecordAndAnswer(messages, call, order, 'B', messageAnswers_);
}

}  // namespace host
