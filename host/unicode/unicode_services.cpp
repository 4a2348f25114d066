#include "host/unicode/unicode_services.hpp"

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

#include "engine/text16.hpp"
#include "host/cmp_name.hpp"
#include "host/unicode/unicode_editor.hpp"
#include "host/unicode/unicode_text.hpp"

namespace host {

namespace {

std::optional<std::u16string> Copy(const unicode_api::WChar* text) {
    if (text == nullptr) return std::nullopt;
    return std::u16string(Utf16Of(text));
}

UnicodeServiceTarget* g_target = nullptr;

// The services that act for the plug-in itself take its GUID.
bool IsPlugin(const UnicodeServiceTarget* target, const unicode_api::GUID* pluginId) {
    return target != nullptr && pluginId != nullptr &&
           unicode_api::SameGuid(*pluginId, target->pluginGuid);
}

// The target's UI, null without one.
Ui* TargetUi() { return g_target != nullptr ? g_target->ui : nullptr; }

// The buttons the host supplies for an FMSG_MB_ value; none for 0.
std::vector<std::u16string> HostButtons(unicode_api::FARMESSAGEFLAGS flags) {
    switch ((flags >> 16) & 0xF) {
    case 1: return {u"OK"};
    case 2: return {u"OK", u"Cancel"};
    case 3: return {u"Abort", u"Retry", u"Ignore"};
    case 4: return {u"Yes", u"No"};
    case 5: return {u"Yes", u"No", u"Cancel"};
    case 6: return {u"Retry", u"Cancel"};
    default: return {};
    }
}

UnicodeDialog* FindDialog(HANDLE handle) {
    if (g_target == nullptr) return nullptr;
    const auto found = g_target->dialogs.find(handle);
    return found != g_target->dialogs.end() ? found->second.get() : nullptr;
}

}  // namespace

UnicodeServiceTarget* SetUnicodeServiceTarget(UnicodeServiceTarget* target) {
    return std::exchange(g_target, target);
}

UnicodeServiceTarget* CurrentUnicodeServiceTarget() { return g_target; }

void FillUnicodeServices(unicode_api::PluginStartupInfo& info,
                         unicode_api::FarStandardFunctions& fsf) {
    info.GetMsg = &unicodeServices::GetMsg;
    info.EditorControl = &unicodeServices::EditorControl;
    info.AdvControl = &unicodeServices::AdvControl;
    info.SettingsControl = &unicodeServices::SettingsControl;
    info.Menu = &unicodeServices::Menu;
    info.Message = &unicodeServices::Message;
    info.DialogInit = &unicodeServices::DialogInit;
    info.DialogRun = &unicodeServices::DialogRun;
    info.DialogFree = &unicodeServices::DialogFree;
    info.SendDlgMessage = &unicodeServices::SendDlgMessage;
    info.ShowHelp = &unicodeServices::ShowHelp;
    fsf.StructSize = sizeof fsf;
    fsf.ProcessName = &unicodeServices::ProcessName;
    info.FSF = &fsf;
}

// Every service catches what the host's side throws: nothing may unwind
// through the plug-in's frames.
namespace unicodeServices {

const unicode_api::WChar* WINAPI GetMsg(const unicode_api::GUID* /*PluginId*/,
                                        std::intptr_t MsgId) {
    static const unicode_api::WChar kNone[] = {0};
    const UnicodeServiceTarget* target = g_target;
    if (target == nullptr || MsgId < 0) return kNone;
    const auto& messages = target->messages;
    if (static_cast<std::size_t>(MsgId) >= messages.size()) return kNone;
    return InterfaceText(messages[static_cast<std::size_t>(MsgId)].c_str());
}

std::intptr_t WINAPI EditorControl(std::intptr_t EditorID,
                                   unicode_api::EDITOR_CONTROL_COMMANDS Command,
                                   std::intptr_t Param1, void* Param2) {
    const UnicodeServiceTarget* target = g_target;
    if (target == nullptr || target->editor == nullptr) return 0;
    try {
        return target->editor->Control(EditorID, Command, Param1, Param2);
    } catch (const std::exception&) {
        return 0;
    }
}

std::intptr_t WINAPI AdvControl(const unicode_api::GUID* /*PluginId*/,
                                unicode_api::ADVANCED_CONTROL_COMMANDS Command,
                                std::intptr_t /*Param1*/, void* Param2) {
    const UnicodeServiceTarget* target = g_target;
    if (target == nullptr) return 0;
    switch (Command) {
    case unicode_api::ACTL_GETFARMANAGERVERSION:
        if (Param2 != nullptr) {
            *static_cast<unicode_api::VersionInfo*>(Param2) = target->hostVersion;
        }
        return 1;
    case unicode_api::ACTL_REDRAWALL: return 1;
    default: return 0;
    }
}

std::intptr_t WINAPI Menu(const unicode_api::GUID* PluginId, const unicode_api::GUID* Id,
                          std::intptr_t X, std::intptr_t Y, std::intptr_t MaxHeight,
                          unicode_api::FARMENUFLAGS Flags, const unicode_api::WChar* Title,
                          const unicode_api::WChar* Bottom, const unicode_api::WChar* HelpTopic,
                          const unicode_api::FarKey* BreakKeys, std::intptr_t* BreakCode,
                          const unicode_api::FarMenuItem* Item, std::size_t ItemsNumber) {
    if (BreakCode != nullptr) *BreakCode = -1;  // no break key was pressed
    if (!IsPlugin(g_target, PluginId)) return -1;
    return AskUi(TargetUi(), [&](Ui& ui) {
        UnicodeMenuCall call;
        if (Id != nullptr) call.id = *Id;
        call.x = X, call.y = Y, call.maxHeight = MaxHeight, call.flags = Flags;
        call.title = Copy(Title), call.bottom = Copy(Bottom), call.helpTopic = Copy(HelpTopic);
        call.hasBreakKeys = BreakKeys != nullptr;
        for (std::size_t i = 0; Item != nullptr && i < ItemsNumber; ++i) {
            call.items.push_back({Item[i].Flags, Copy(Item[i].Text).value_or(u"")});
        }
        return ui.UnicodeMenu(call);
    });
}

std::intptr_t WINAPI Message(const unicode_api::GUID* PluginId, const unicode_api::GUID* Id,
                             unicode_api::FARMESSAGEFLAGS Flags,
                             const unicode_api::WChar* HelpTopic,
                             const unicode_api::WChar* const* Items, std::size_t ItemsNumber,
                             std::intptr_t ButtonsNumber) {
    if (!IsPlugin(g_target, PluginId) || Items == nullptr) return -1;
    UnicodeMessageCall call;
    if (Id != nullptr) call.id = *Id;
    call.flags = Flags;
    call.helpTopic = Copy(HelpTopic);
    if (Flags & unicode_api::FMSG_ALLINONE) {
        // One text, its lines separated by LF.
        const std::u16string all =
            Copy(reinterpret_cast<const unicode_api::WChar*>(Items)).value_or(u"");
        std::size_t start = 0;
        for (std::size_t end; (end = all.find(u'\n', start)) != std::u16string::npos;
             start = end + 1) {
            call.items.push_back(all.substr(start, end - start));
        }
        call.items.push_back(all.substr(start));
    } else {
        for (std::size_t i = 0; i < ItemsNumber; ++i)
            call.items.push_back(Copy(Items[i]).value_or(u""));
    }
    const std::vector<std::u16string> buttons = HostButtons(Flags);
    if (!buttons.empty()) {
        call.items.insert(call.items.end(), buttons.begin(), buttons.end());
        call.buttonCount = static_cast<int>(buttons.size());
    } else {
        call.buttonCount = static_cast<int>(std::clamp<std::intptr_t>(
            ButtonsNumber, 0, static_cast<std::intptr_t>(call.items.size())));
    }
    return AskUi(TargetUi(), [&](Ui& ui) { return ui.UnicodeMessage(call); });
}

HANDLE WINAPI DialogInit(const unicode_api::GUID* PluginId, const unicode_api::GUID* Id,
                         std::intptr_t X1, std::intptr_t Y1, std::intptr_t X2, std::intptr_t Y2,
                         const unicode_api::WChar* HelpTopic,
                         const unicode_api::FarDialogItem* Item, std::size_t ItemsNumber,
                         std::intptr_t /*Reserved*/, unicode_api::FARDIALOGFLAGS Flags,
                         unicode_api::FARWINDOWPROC /*DlgProc*/, void* /*Param*/) {
    UnicodeServiceTarget* target = g_target;
    if (!IsPlugin(target, PluginId) || Id == nullptr || Item == nullptr || ItemsNumber == 0) {
        return INVALID_HANDLE_VALUE;
    }
    auto dialog = std::make_unique<UnicodeDialog>();
    UnicodeDialogCall& call = dialog->call;
    call.id = *Id;
    call.x1 = X1, call.y1 = Y1, call.x2 = X2, call.y2 = Y2;
    call.helpTopic = Copy(HelpTopic);
    call.flags = Flags;
    for (std::size_t i = 0; i < ItemsNumber; ++i) {
        const unicode_api::FarDialogItem& from = Item[i];
        UnicodeDialogItem item;
        item.type = from.Type;
        item.x1 = from.X1, item.y1 = from.Y1, item.x2 = from.X2, item.y2 = from.Y2;
        const bool list =
            from.Type == unicode_api::DI_COMBOBOX || from.Type == unicode_api::DI_LISTBOX;
        item.selected = list ? 0 : from.Selected;
        item.flags = from.Flags;
        item.data = Copy(from.Data).value_or(u"");
        if (from.MaxLength != 0 && item.data.size() > from.MaxLength)
            item.data.resize(from.MaxLength);
        item.history = Copy(from.History);
        item.maxLength = from.MaxLength;
        item.userData = from.UserData;
        call.items.push_back(std::move(item));
        dialog->lists.push_back(list ? from.ListItems : nullptr);
    }
    void* handle = dialog.get();
    target->dialogs.emplace(handle, std::move(dialog));
    return handle;
}

std::intptr_t WINAPI DialogRun(HANDLE hDlg) {
    UnicodeDialog* dialog = FindDialog(hDlg);
    if (dialog == nullptr) return -1;
    // A list is read now: the plug-in keeps it alive until the dialog has run.
    for (std::size_t i = 0; i < dialog->lists.size(); ++i) {
        const unicode_api::FarList* list = dialog->lists[i];
        if (list == nullptr || list->Items == nullptr) continue;
        UnicodeDialogItem& item = dialog->call.items[i];
        item.list.clear();
        for (std::size_t n = 0; n < list->ItemsNumber; ++n) {
            item.list.push_back(Copy(list->Items[n].Text).value_or(u""));
            if (list->Items[n].Flags & 0x10000)
                item.listPos = static_cast<std::intptr_t>(n);  // LIF_SELECTED
        }
    }
    dialog->answer = AskUi(TargetUi(), [&](Ui& ui) { return ui.UnicodeDialog(dialog->call); });
    return dialog->answer;
}

void WINAPI DialogFree(HANDLE hDlg) {
    if (g_target != nullptr) g_target->dialogs.erase(hDlg);
}

std::intptr_t WINAPI SendDlgMessage(HANDLE hDlg, std::intptr_t Msg, std::intptr_t Param1,
                                    void* Param2) {
    UnicodeDialog* dialog = FindDialog(hDlg);
    if (dialog == nullptr || Param1 < 0 ||
        static_cast<std::size_t>(Param1) >= dialog->call.items.size()) {
        return 0;
    }
    UnicodeDialogItem& item = dialog->call.items[static_cast<std::size_t>(Param1)];
    const bool checkable =
        item.type == unicode_api::DI_CHECKBOX || item.type == unicode_api::DI_RADIOBUTTON;
    switch (Msg) {
    case unicode_api::DM_GETCHECK: return checkable ? item.selected : 0;
    case unicode_api::DM_SETCHECK: {
        const std::intptr_t previous = item.selected;
        if (checkable) item.selected = reinterpret_cast<std::intptr_t>(Param2);
        return previous;
    }
    case unicode_api::DM_GETCONSTTEXTPTR: return reinterpret_cast<std::intptr_t>(item.data.c_str());
    case unicode_api::DM_GETTEXT: {
        auto* data = static_cast<unicode_api::FarDialogItemData*>(Param2);
        if (data != nullptr && data->PtrData != nullptr) {
            const std::size_t length = std::min(data->PtrLength, item.data.size());
            std::copy_n(item.data.begin(), length, data->PtrData);
            data->PtrData[length] = 0;
        }
        return static_cast<std::intptr_t>(item.data.size());
    }
    case unicode_api::DM_LISTGETCURPOS:
        if (auto* pos = static_cast<unicode_api::FarListPos*>(Param2); pos != nullptr) {
            pos->SelectPos = item.listPos;
            pos->TopPos = 0;
        }
        return item.listPos;
    case unicode_api::DM_GETITEMDATA: return item.userData;
    default: return 0;
    }
}

BOOL WINAPI ShowHelp(const unicode_api::WChar* /*ModuleName*/, const unicode_api::WChar* Topic,
                     unicode_api::FARHELPFLAGS Flags) {
    const UnicodeServiceTarget* target = g_target;
    // Only the plug-in's own help file: the host keeps no help of its own.
    if (target == nullptr || target->help == nullptr || target->ui == nullptr ||
        (Flags & 0xFF) != unicode_api::FHELP_SELFHELP) {
        return 0;
    }
    const std::string topic =
        Topic != nullptr && *Topic != 0 ? engine::Utf16ToUtf8(Utf16Of(Topic)) : "Contents";
    if (topic.front() == ':' || target->help->Topic(topic) == nullptr) return 0;
    try {
        return target->ui->ShowPluginHelp(topic) ? 1 : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

std::intptr_t WINAPI SettingsControl(HANDLE hHandle,
                                     unicode_api::FAR_SETTINGS_CONTROL_COMMANDS Command,
                                     std::intptr_t Param1, void* Param2) {
    const UnicodeServiceTarget* target = g_target;
    if (target == nullptr || !target->settings) return 0;
    try {
        return target->settings->Control(hHandle, Command, Param1, Param2);
    } catch (const std::exception&) {
        return 0;
    }
}

std::size_t WINAPI ProcessName(const unicode_api::WChar* Param1, unicode_api::WChar* Param2,
                               std::size_t /*Size*/, unicode_api::PROCESSNAME_FLAGS Flags) {
    // The comparison with one mask or with a mask list is offered; making
    // names and checking masks answer 0.
    constexpr unicode_api::PROCESSNAME_FLAGS kMode = 0xFF0000;
    if (Param1 == nullptr || Param2 == nullptr) return 0;
    const bool skipPath = (Flags & unicode_api::PN_SKIPPATH) != 0;
    switch (Flags & kMode) {
    case unicode_api::PN_CMPNAME:
        return CmpName(std::u16string_view(Utf16Of(Param1)), std::u16string_view(Utf16Of(Param2)),
                       skipPath)
                   ? 1
                   : 0;
    case unicode_api::PN_CMPNAMELIST:
        return CmpNameList(std::u16string_view(Utf16Of(Param1)),
                           std::u16string_view(Utf16Of(Param2)), skipPath)
                   ? 1
                   : 0;
    default: return 0;
    }
}

}  // namespace unicodeServices

}  // namespace host
