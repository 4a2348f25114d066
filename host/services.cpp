#include "host/services.hpp"

#include <cstring>
#include <exception>

#include "host/cmp_name.hpp"

namespace host {

namespace {

ServiceTarget* g_target = nullptr;

std::optional<std::string> Copy(const char* text) {
    if (text == nullptr) return std::nullopt;
    return std::string(text);
}

}  // namespace

ServiceTarget* SetServiceTarget(ServiceTarget* target) {
    ServiceTarget* previous = g_target;
    g_target = target;
    return previous;
}

ServiceTarget* CurrentServiceTarget() { return g_target; }

void FillServices(PluginStartupInfo& info) {
    info.Menu = &services::Menu;
    info.Dialog = &services::Dialog;
    info.Message = &services::Message;
    info.GetMsg = &services::GetMsg;
    info.CmpName = &services::CmpName;
    info.EditorControl = &services::EditorControl;
}

// Every service catches what the host's side throws: nothing may unwind
// through the module's frames.
namespace services {

int WINAPI Menu(int PluginNumber, int X, int Y, int MaxHeight, DWORD Flags, const char* Title,
                const char* Bottom, const char* HelpTopic, const int* BreakKeys, int* BreakCode,
                const FarMenuItem* Item, int ItemsNumber) {
    if (g_target == nullptr || g_target->ui == nullptr) return -1;
    try {
        MenuCall call;
        call.pluginNumber = PluginNumber;
        call.x = X;
        call.y = Y;
        call.maxHeight = MaxHeight;
        call.flags = Flags;
        call.title = Copy(Title);
        call.bottom = Copy(Bottom);
        call.helpTopic = Copy(HelpTopic);
        call.hasBreakKeys = BreakKeys != nullptr;
        call.hasBreakCode = BreakCode != nullptr;
        if (Item != nullptr && ItemsNumber > 0) call.items.assign(Item, Item + ItemsNumber);
        const int answer = g_target->ui->Menu(call);
        if (BreakCode != nullptr) *BreakCode = -1;  // no break key was pressed
        return answer;
    } catch (const std::exception&) {
        return -1;
    }
}

int WINAPI Dialog(int PluginNumber, int X1, int Y1, int X2, int Y2, const char* HelpTopic,
                  FarDialogItem* Item, int ItemsNumber) {
    if (g_target == nullptr || g_target->ui == nullptr) return -1;
    try {
        DialogCall call;
        call.pluginNumber = PluginNumber;
        call.x1 = X1;
        call.y1 = Y1;
        call.x2 = X2;
        call.y2 = Y2;
        call.helpTopic = Copy(HelpTopic);
        call.items = ItemsNumber > 0 ? Item : nullptr;
        call.itemCount = Item != nullptr && ItemsNumber > 0 ? ItemsNumber : 0;
        return g_target->ui->Dialog(call);
    } catch (const std::exception&) {
        return -1;
    }
}

int WINAPI Message(int PluginNumber, DWORD Flags, const char* HelpTopic, const char* const* Items,
                   int ItemsNumber, int ButtonsNumber) {
    if (g_target == nullptr || g_target->ui == nullptr) return -1;
    try {
        MessageCall call;
        call.pluginNumber = PluginNumber;
        call.flags = Flags;
        call.helpTopic = Copy(HelpTopic);
        if (Items != nullptr) {
            for (int i = 0; i < ItemsNumber; ++i) call.items.push_back(Copy(Items[i]));
        }
        call.buttonCount = ButtonsNumber;
        return g_target->ui->Message(call);
    } catch (const std::exception&) {
        return -1;
    }
}

const char* WINAPI GetMsg(int /*PluginNumber*/, int MsgId) {
    static const char kNone[] = "";
    if (g_target == nullptr || g_target->messages == nullptr || MsgId < 0) return kNone;
    const auto& messages = g_target->messages->messages;
    if (static_cast<std::size_t>(MsgId) >= messages.size()) return kNone;
    return messages[static_cast<std::size_t>(MsgId)].c_str();
}

int WINAPI CmpName(const char* Pattern, const char* String, int SkipPath) {
    if (Pattern == nullptr || String == nullptr) return 0;
    return host::CmpName(Pattern, String, SkipPath != 0) ? 1 : 0;
}

int WINAPI EditorControl(int Command, void* Param) {
    if (g_target == nullptr || g_target->editor == nullptr) return 0;
    try {
        return g_target->editor->Control(Command, Param);
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace services

}  // namespace host
