#include "host/far2l/far2l_plugin.hpp"

#include <algorithm>
#include <filesystem>

#include "engine/text16.hpp"
#include "host/cmp_name.hpp"
#include "host/far2l/far2l_keys.hpp"
#include "host/far2l/far2l_text.hpp"

namespace host {

namespace {

// The plug-in the services act for while a call into it runs.
Far2lServiceTarget* g_target = nullptr;

std::optional<std::u16string> Copy(const wchar_t* text) {
    if (text == nullptr) return std::nullopt;
    return Utf16OfWide(WideView(text));
}

// Every service catches what the host's side throws: nothing may unwind
// through the plug-in's frames.
namespace services {

const wchar_t* GetMsg(far2l_api::INT_PTR /*PluginNumber*/, int MsgId) {
    static const wchar_t kNone[] = L"";
    if (g_target == nullptr || MsgId < 0) return kNone;
    const auto& messages = g_target->messages;
    return static_cast<std::size_t>(MsgId) < messages.size()
               ? messages[static_cast<std::size_t>(MsgId)].c_str()
               : kNone;
}

int EditorControl(int Command, void* Param) {
    if (g_target == nullptr || g_target->editor == nullptr) return 0;
    try {
        return g_target->editor->Control(Command, Param);
    } catch (const std::exception&) {
        return 0;
    }
}

int CmpNameService(const wchar_t* Pattern, const wchar_t* String, int SkipPath) {
    if (Pattern == nullptr || String == nullptr) return 0;
    return CmpName(std::u16string_view(Utf16OfWide(WideView(Pattern))),
                   std::u16string_view(Utf16OfWide(WideView(String))), SkipPath != 0)
               ? 1
               : 0;
}

// The comparison with one mask or with a mask list; making names answers 0.
int ProcessName(const wchar_t* Param1, wchar_t* Param2, DWORD /*Size*/, DWORD Flags) {
    if (Param1 == nullptr || Param2 == nullptr) return 0;
    const bool skipPath = (Flags & far2l_api::PN_SKIPPATH) != 0;
    const std::u16string mask = Utf16OfWide(WideView(Param1));
    const std::u16string name = Utf16OfWide(WideView(Param2));
    switch (Flags & 0xFF0000) {
    case far2l_api::PN_CMPNAME: return CmpName(std::u16string_view(mask), name, skipPath) ? 1 : 0;
    case far2l_api::PN_CMPNAMELIST: return CmpNameList(mask, name, skipPath) ? 1 : 0;
    default: return 0;
    }
}

int Menu(far2l_api::INT_PTR /*PluginNumber*/, int X, int Y, int MaxHeight, DWORD Flags,
         const wchar_t* Title, const wchar_t* Bottom, const wchar_t* HelpTopic,
         const int* BreakKeys, int* BreakCode, const far2l_api::FarMenuItem* Item,
         int ItemsNumber) {
    if (BreakCode != nullptr) *BreakCode = -1;
    if (g_target == nullptr) return -1;
    return AskUi(g_target->ui, [&](Ui& ui) {
        UnicodeMenuCall call;
        call.x = X, call.y = Y, call.maxHeight = MaxHeight, call.flags = Flags;
        call.title = Copy(Title), call.bottom = Copy(Bottom), call.helpTopic = Copy(HelpTopic);
        call.hasBreakKeys = BreakKeys != nullptr;
        for (int i = 0; Item != nullptr && i < ItemsNumber; ++i) {
            std::uint64_t flags = 0;
            if (Item[i].Selected != 0) flags |= unicode_api::MIF_SELECTED;
            if (Item[i].Checked != 0) flags |= unicode_api::MIF_CHECKED;
            if (Item[i].Separator != 0) flags |= unicode_api::MIF_SEPARATOR;
            call.items.push_back({flags, Copy(Item[i].Text).value_or(u"")});
        }
        return ui.UnicodeMenu(call);
    });
}

int Message(far2l_api::INT_PTR /*PluginNumber*/, DWORD Flags, const wchar_t* HelpTopic,
            const wchar_t* const* Items, int ItemsNumber, int ButtonsNumber) {
    if (g_target == nullptr || Items == nullptr) return -1;
    UnicodeMessageCall call;
    call.flags = (Flags & far2l_api::FMSG_WARNING) != 0 ? unicode_api::FMSG_WARNING : 0;
    if ((Flags & far2l_api::FMSG_LEFTALIGN) != 0) call.flags |= unicode_api::FMSG_LEFTALIGN;
    call.helpTopic = Copy(HelpTopic);
    for (int i = 0; i < ItemsNumber; ++i) call.items.push_back(Copy(Items[i]).value_or(u""));
    if ((Flags & far2l_api::FMSG_MB_OK) != 0) {
        call.items.push_back(u"OK");
        call.buttonCount = 1;
    } else {
        call.buttonCount = std::clamp(ButtonsNumber, 0, static_cast<int>(call.items.size()));
    }
    return AskUi(g_target->ui, [&](Ui& ui) { return ui.UnicodeMessage(call); });
}

// far2l's 2.x flags of a dialog item as the UI's (3.x) bits.
std::uint64_t ItemFlags(const far2l_api::FarDialogItem& item) {
    std::uint64_t flags = 0;
    const bool button = item.Type == far2l_api::DI_BUTTON;
    if (!button && (item.Flags & far2l_api::DIF_BOXCOLOR) != 0) flags |= unicode_api::DIF_BOXCOLOR;
    if ((item.Flags & far2l_api::DIF_CENTERGROUP) != 0) flags |= unicode_api::DIF_CENTERGROUP;
    if ((item.Flags & far2l_api::DIF_SEPARATOR) != 0) flags |= unicode_api::DIF_SEPARATOR;
    if ((item.Flags & far2l_api::DIF_HISTORY) != 0) flags |= unicode_api::DIF_HISTORY;
    if (item.Focus != 0) flags |= unicode_api::DIF_FOCUS;
    if (item.DefaultButton != 0 || (button && (item.Flags & far2l_api::DIF_DEFAULT) != 0)) {
        flags |= unicode_api::DIF_DEFAULTBUTTON;
    }
    return flags;
}

HANDLE DialogInit(far2l_api::INT_PTR /*PluginNumber*/, int X1, int Y1, int X2, int Y2,
                  const wchar_t* HelpTopic, far2l_api::FarDialogItem* Item, unsigned ItemsNumber,
                  DWORD /*Reserved*/, DWORD /*Flags*/, far2l_api::FARWINDOWPROC /*DlgProc*/,
                  far2l_api::LONG_PTR /*Param*/) {
    if (g_target == nullptr || Item == nullptr || ItemsNumber == 0) return INVALID_HANDLE_VALUE;
    try {
        auto call = std::make_unique<UnicodeDialogCall>();
        call->x1 = X1, call->y1 = Y1, call->x2 = X2, call->y2 = Y2;
        call->helpTopic = Copy(HelpTopic);
        for (unsigned i = 0; i < ItemsNumber; ++i) {
            const far2l_api::FarDialogItem& from = Item[i];
            UnicodeDialogItem item;
            item.type = static_cast<unicode_api::FARDIALOGITEMTYPES>(from.Type);
            item.x1 = from.X1, item.y1 = from.Y1, item.x2 = from.X2, item.y2 = from.Y2;
            const bool check =
                from.Type == far2l_api::DI_CHECKBOX || from.Type == far2l_api::DI_RADIOBUTTON;
            item.selected = check ? from.Selected : 0;
            item.flags = ItemFlags(from);
            item.data = Copy(from.PtrData).value_or(u"");
            if ((from.Flags & far2l_api::DIF_HISTORY) != 0) item.history = Copy(from.History);
            item.maxLength = from.MaxLen;
            call->items.push_back(std::move(item));
        }
        void* handle = call.get();
        g_target->dialogs[handle] = std::move(call);
        return handle;
    } catch (const std::exception&) {
        return INVALID_HANDLE_VALUE;
    }
}

UnicodeDialogCall* FindDialog(HANDLE handle) {
    if (g_target == nullptr) return nullptr;
    const auto found = g_target->dialogs.find(handle);
    return found != g_target->dialogs.end() ? found->second.get() : nullptr;
}

int DialogRun(HANDLE hDlg) {
    UnicodeDialogCall* call = FindDialog(hDlg);
    if (call == nullptr) return -1;
    return AskUi(g_target->ui, [&](Ui& ui) { return ui.UnicodeDialog(*call); });
}

void DialogFree(HANDLE hDlg) {
    if (g_target != nullptr) g_target->dialogs.erase(hDlg);
}

far2l_api::LONG_PTR SendDlgMessage(HANDLE hDlg, int Msg, int Param1,
                                   far2l_api::LONG_PTR /*Param2*/) {
    UnicodeDialogCall* call = FindDialog(hDlg);
    if (call == nullptr || Param1 < 0 || static_cast<std::size_t>(Param1) >= call->items.size())
        return 0;
    const UnicodeDialogItem& item = call->items[static_cast<std::size_t>(Param1)];
    switch (Msg) {
    case far2l_api::DM_GETCHECK: return item.selected;
    case far2l_api::DM_GETCONSTTEXTPTR:
        g_target->dialogTexts.push_back(WideOf(ShownText(item)));
        return reinterpret_cast<far2l_api::LONG_PTR>(g_target->dialogTexts.back().c_str());
    default: return 0;
    }
}

}  // namespace services

}  // namespace

template <class Run>
auto Far2lPlugin::CallPlugin(Run run) {
    Far2lServiceTarget* const previous = g_target;
    g_target = &target_;
    Far2lEditor* const view = editor_.get();
    if (view != nullptr) view->EnterPlugin();
    struct Leave {
        Far2lEditor* view;
        Far2lServiceTarget* previous;
        ~Leave() {
            if (view != nullptr) view->LeavePlugin();
            g_target = previous;
        }
    } leave{view, previous};
    return run();
}

bool Far2lPlugin::Speaks(const std::string& path) {
    constexpr std::string_view kSuffix = ".far-plug-wide";
    return path.size() >= kSuffix.size() &&
           path.compare(path.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

std::unique_ptr<Far2lPlugin> Far2lPlugin::Load(std::unique_ptr<ModuleLibrary> library,
                                               const std::string& path, const HostOptions& options,
                                               std::string& why) {
    std::unique_ptr<Far2lPlugin> plugin(new Far2lPlugin);
    Far2lExports& found = plugin->exports_;
    const auto symbol = [&library](auto& slot, const char* name) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(library->Symbol(name));
    };
    symbol(found.SetStartupInfoW, "SetStartupInfoW");
    symbol(found.GetPluginInfoW, "GetPluginInfoW");
    symbol(found.OpenPluginW, "OpenPluginW");
    symbol(found.ConfigureW, "ConfigureW");
    symbol(found.ProcessEditorInputW, "ProcessEditorInputW");
    symbol(found.ProcessEditorEventW, "ProcessEditorEventW");
    symbol(found.GetMinFarVersionW, "GetMinFarVersionW");
    symbol(found.ExitFARW, "ExitFARW");
    // far2l refuses a plug-in that asks for a later version than its own.
    if (found.GetMinFarVersionW != nullptr) {
        const int wanted = found.GetMinFarVersionW();
        if (wanted > kFar2lHostVersion) {
            found = Far2lExports{};
            why = path + ": the module needs far2l " + std::to_string(wanted >> 16) + "." +
                  std::to_string(wanted & 0xFFFF) + " or later; this host is 2.8";
            return nullptr;
        }
    }

    std::error_code ec;
    std::string full = std::filesystem::absolute(path, ec).lexically_normal().string();
    if (ec) full = path;
    plugin->moduleName_ = WideOfUtf8(full);
    PluginFiles& files = plugin->files_;
    files = FindPluginFiles(std::filesystem::path(full).parent_path().string(), options.language,
                            FindUnicodeLanguageFile, FindUnicodeHelpFile);
    if (files.messages) {
        for (const std::string& text : files.messages->messages)
            plugin->target_.messages.push_back(WideOfUtf8(text));
    }
    plugin->library_ = std::move(library);
    if (found.SetStartupInfoW != nullptr) {
        // Both records are the host's temporaries: the plug-in copies them.
        far2l_api::FarStandardFunctions fsf{};
        fsf.StructSize = sizeof fsf;
        fsf.ProcessName = &services::ProcessName;
        far2l_api::PluginStartupInfo startup{};
        startup.StructSize = sizeof startup;
        startup.ModuleName = plugin->moduleName_.c_str();
        startup.ModuleNumber = options.moduleNumber;
        startup.RootKey = L"Software/Far2/Plugins";
        startup.Menu = &services::Menu;
        startup.Message = &services::Message;
        startup.GetMsg = &services::GetMsg;
        startup.CmpName = &services::CmpNameService;
        startup.EditorControl = &services::EditorControl;
        startup.FSF = &fsf;
        startup.DialogInit = &services::DialogInit;
        startup.DialogRun = &services::DialogRun;
        startup.DialogFree = &services::DialogFree;
        startup.SendDlgMessage = &services::SendDlgMessage;
        plugin->CallPlugin([&] { found.SetStartupInfoW(&startup); });
    }
    return plugin;
}

Far2lPlugin::~Far2lPlugin() {
    if (library_ != nullptr) {
        EditorEvent(far2l_api::EE_CLOSE, nullptr);
        if (exports_.ExitFARW != nullptr) CallPlugin([&] { exports_.ExitFARW(); });
    }
    editor_.reset();
    target_.editor = nullptr;
    target_.dialogs.clear();
}

void Far2lPlugin::EditorEvent(int event, void* param) {
    if (exports_.ProcessEditorEventW == nullptr || editor_ == nullptr) return;
    CallPlugin([&] { return exports_.ProcessEditorEventW(event, param); });
}

void Far2lPlugin::SetEditor(engine::Editor* editor) {
    if (editor_ != nullptr) {
        EditorEvent(far2l_api::EE_CLOSE, nullptr);
        editor_.reset();
        target_.editor = nullptr;
    }
    if (editor == nullptr) return;
    editor_ = std::make_unique<Far2lEditor>(*editor);
    target_.editor = editor_.get();
    // A record the plug-in feeds back goes through it again, nested, in
    // far2l's form.
    editor_->View().SetPluginInput([this](const INPUT_RECORD& record) { return Offer(record); });
    editor_->View().SetFedBack([this, editor](const ConsoleKey& key) { FedBack(*editor, key); });
    EditorEvent(far2l_api::EE_READ, nullptr);
}

int Far2lPlugin::Offer(const INPUT_RECORD& windows) {
    if (exports_.ProcessEditorInputW == nullptr) return 0;
    const far2l_api::INPUT_RECORD record = Far2lInputOf(windows);
    return CallPlugin([&] { return exports_.ProcessEditorInputW(&record); });
}

int Far2lPlugin::OfferKey(const KeyInput& input, const EditorAction& editorAction) {
    if (input.unicode) {
        const int answer = Offer(*input.unicode);
        if (answer == 0 && editor_ != nullptr && input.key) editorAction(*input.key);
        return answer != 0 ? 1 : 0;
    }
    if (!input.key) return 0;
    const ConsoleKey& key = *input.key;
    const engine::LineCodec& codec =
        editor_ ? editor_->View().Codec() : engine::CodecOf(engine::CodePage::Oem866);
    const int answer = Offer(ToUnicodeInput(key.record, key.typed, codec));
    if (answer == 0 && editor_ != nullptr) editorAction(key);
    return answer != 0 ? 1 : 0;
}

far2l_api::PluginInfo Far2lPlugin::QueryPluginInfo() {
    far2l_api::PluginInfo info{};
    // far2l hands the record over with StructSize 0 (measured).
    if (exports_.GetPluginInfoW != nullptr) CallPlugin([&] { exports_.GetPluginInfoW(&info); });
    return info;
}

std::vector<std::string> Far2lPlugin::EntryTitles(PluginEntries menu) {
    const far2l_api::PluginInfo info = QueryPluginInfo();
    const wchar_t* const* strings =
        menu == PluginEntries::Commands ? info.PluginMenuStrings : info.PluginConfigStrings;
    const int count = menu == PluginEntries::Commands ? info.PluginMenuStringsNumber
                                                      : info.PluginConfigStringsNumber;
    std::vector<std::string> titles;
    for (int i = 0; strings != nullptr && i < count; ++i) {
        titles.push_back(strings[i] != nullptr ? Utf8OfWide(strings[i]) : std::string());
    }
    return titles;
}

std::intptr_t Far2lPlugin::RunEntry(PluginEntries menu, int index) {
    if (index < 0 || index >= static_cast<int>(EntryTitles(menu).size())) return 0;
    if (menu == PluginEntries::Settings) {
        if (exports_.ConfigureW == nullptr) return 0;
        return CallPlugin([&] { return exports_.ConfigureW(index); });
    }
    if (exports_.OpenPluginW == nullptr) return 0;
    const HANDLE answer =
        CallPlugin([&] { return exports_.OpenPluginW(far2l_api::OPEN_EDITOR, index); });
    return answer != INVALID_HANDLE_VALUE ? 1 : 0;
}

std::optional<std::intptr_t> Far2lPlugin::CallFromMacro(const std::string& argument) {
    if (exports_.OpenPluginW == nullptr || QueryPluginInfo().SysID == 0) return std::nullopt;
    const std::wstring text = WideOfUtf8(argument);
    // A string argument: its text in Item, and the flag that says so.
    const int openFrom =
        far2l_api::OPEN_EDITOR | far2l_api::OPEN_FROMMACRO | far2l_api::OPEN_FROMMACROSTRING;
    CallPlugin([&] {
        return exports_.OpenPluginW(openFrom, reinterpret_cast<far2l_api::INT_PTR>(text.c_str()));
    });
    return 1;
}

void Far2lPlugin::AnnounceSave(const std::string& /*fileName*/) {
    // far2l's EE_SAVE carries no record.
    EditorEvent(far2l_api::EE_SAVE, nullptr);
}

}  // namespace host
