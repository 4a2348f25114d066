#include "host/ansi/ansi_services.hpp"

#include <cstring>
#include <exception>
#include <utility>

#include "host/cmp_name.hpp"

namespace host {

namespace {

AnsiServiceTarget* g_target = nullptr;

std::optional<std::string> Copy(const char* text) {
    if (text == nullptr) return std::nullopt;
    return std::string(text);
}

// The target's UI, null without one.
Ui* TargetUi() { return g_target != nullptr ? g_target->ui : nullptr; }

}  // namespace

AnsiServiceTarget* SetAnsiServiceTarget(AnsiServiceTarget* target) {
    return std::exchange(g_target, target);
}

AnsiServiceTarget* CurrentAnsiServiceTarget() { return g_target; }

void FillAnsiServices(PluginStartupInfo& info) {
    info.Menu = &ansiServices::Menu;
    info.Dialog = &ansiServices::Dialog;
    info.Message = &ansiServices::Message;
    info.GetMsg = &ansiServices::GetMsg;
    info.CmpName = &ansiServices::CmpName;
    info.EditorControl = &ansiServices::EditorControl;
}

// Every service catches what the host's side throws: nothing may unwind
// through the module's frames.
namespace ansiServices {

int WINAPI Menu(int PluginNumber, int X, int Y, int MaxHeight, DWORD Flags, const char* Title,
                const char* Bottom, const char* HelpTopic, const int* BreakKeys, int* BreakCode,
                const FarMenuItem* Item, int ItemsNumber) {
    return AskUi(TargetUi(), [&](Ui& ui) {
        MenuCall call{PluginNumber,
                      X,
                      Y,
                      MaxHeight,
                      Flags,
                      Copy(Title),
                      Copy(Bottom),
                      Copy(HelpTopic),
                      BreakKeys != nullptr,
                      BreakCode != nullptr,
                      {}};
        if (Item != nullptr && ItemsNumber > 0) call.items.assign(Item, Item + ItemsNumber);
        const int answer = ui.Menu(call);
        if (BreakCode != nullptr) *BreakCode = -1;  // no break key was pressed
        return answer;
    });
}

int WINAPI Dialog(int PluginNumber, int X1, int Y1, int X2, int Y2, const char* HelpTopic,
                  FarDialogItem* Item, int ItemsNumber) {
    return AskUi(TargetUi(), [&](Ui& ui) {
        const bool any = Item != nullptr && ItemsNumber > 0;
        DialogCall call{PluginNumber,         X1, Y1, X2, Y2, Copy(HelpTopic), any ? Item : nullptr,
                        any ? ItemsNumber : 0};
        return ui.Dialog(call);
    });
}

int WINAPI Message(int PluginNumber, DWORD Flags, const char* HelpTopic, const char* const* Items,
                   int ItemsNumber, int ButtonsNumber) {
    return AskUi(TargetUi(), [&](Ui& ui) {
        MessageCall call{PluginNumber, Flags, Copy(HelpTopic), {}, ButtonsNumber};
        if (Items != nullptr) {
            for (int i = 0; i < ItemsNumber; ++i) call.items.push_back(Copy(Items[i]));
        }
        return ui.Message(call);
    });
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

}  // namespace ansiServices

}  // namespace host
