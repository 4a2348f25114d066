#include "host/unicode/unicode_plugin.hpp"

#include <filesystem>
#include <tuple>

#include "engine/text16.hpp"
#include "host/unicode/unicode_text.hpp"

namespace host {

namespace {

bool AllZero(const unicode_api::GUID& guid) {
    return unicode_api::SameGuid(guid, unicode_api::GUID{});
}

bool Empty(const unicode_api::WChar* text) { return text == nullptr || *text == 0; }

std::string VersionText(const unicode_api::VersionInfo& v) {
    return std::to_string(v.Major) + "." + std::to_string(v.Minor) + "." +
           std::to_string(v.Revision) + "." + std::to_string(v.Build);
}

// Whether `host` is not older than `wanted`: major, minor, then build before
// revision; the stage is not compared.
bool AtLeast(const unicode_api::VersionInfo& host, const unicode_api::VersionInfo& wanted) {
    const auto key = [](const unicode_api::VersionInfo& v) {
        return std::make_tuple(v.Major, v.Minor, v.Build, v.Revision);
    };
    return key(host) >= key(wanted);
}

// Why the host refuses the answer of GetGlobalInfoW; empty when it accepts it.
std::string RefusalOf(const unicode_api::GlobalInfo& info, const unicode_api::VersionInfo& host) {
    if (Empty(info.Title)) return "the module gives no title";
    if (Empty(info.Description)) return "the module gives no description";
    if (Empty(info.Author)) return "the module gives no author";
    if (AllZero(info.Guid)) return "the module's GUID is all zero";
    if (!AtLeast(host, info.MinFarVersion)) {
        return "the module needs host version " + VersionText(info.MinFarVersion) +
               " or later; this host is " + VersionText(host);
    }
    return "";
}

const unicode_api::PluginMenuItem& EntriesOf(const unicode_api::PluginInfo& info,
                                             PluginEntries menu) {
    return menu == PluginEntries::Commands ? info.PluginMenu : info.PluginConfig;
}

}  // namespace

template <class Run>
auto UnicodePlugin::CallPlugin(Run run) {
    SetUnicodeServiceTarget(&target_);
    UnicodeEditor* const view = editor_.get();
    if (view != nullptr) view->EnterPlugin();
    struct Leave {
        UnicodeEditor* view;
        ~Leave() {
            if (view != nullptr) view->LeavePlugin();
        }
    } leave{view};
    return run();
}

bool UnicodePlugin::Speaks(const ModuleLibrary& library) {
    return library.Symbol("GetGlobalInfoW") != nullptr;
}

std::unique_ptr<UnicodePlugin> UnicodePlugin::Load(std::unique_ptr<ModuleLibrary> library,
                                                   const std::string& path,
                                                   const HostOptions& options, std::string& why) {
    std::unique_ptr<UnicodePlugin> plugin(new UnicodePlugin);
    UnicodeExports& found = plugin->exports_;
    const auto symbol = [&library](auto& slot, const char* name) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(library->Symbol(name));
    };
    symbol(found.GetGlobalInfoW, "GetGlobalInfoW");
    symbol(found.SetStartupInfoW, "SetStartupInfoW");
    symbol(found.GetPluginInfoW, "GetPluginInfoW");
    symbol(found.OpenW, "OpenW");
    symbol(found.ConfigureW, "ConfigureW");
    symbol(found.ProcessEditorInputW, "ProcessEditorInputW");
    symbol(found.ProcessEditorEventW, "ProcessEditorEventW");
    symbol(found.ExitFARW, "ExitFARW");

    unicode_api::GlobalInfo& info = plugin->global_;
    info.StructSize = sizeof info;
    UnicodeServiceTarget& target = plugin->target_;
    SetUnicodeServiceTarget(&target);
    found.GetGlobalInfoW(&info);
    if (const std::string refusal = RefusalOf(info, kUnicodeHostVersion); !refusal.empty()) {
        // Not loaded: the plug-in is never called again.
        found = UnicodeExports{};
        why = path + ": " + refusal;
        return nullptr;
    }

    std::error_code ec;
    std::string full = std::filesystem::absolute(path, ec).lexically_normal().string();
    if (ec) full = path;
    plugin->moduleName_ = engine::Utf8ToUtf16(full);
    // The language and help files beside the module, in the Unicode
    // interface's encodings; without them the plug-in still runs.
    PluginFiles& files = plugin->files_;
    files = FindPluginFiles(std::filesystem::path(full).parent_path().string(), options.language,
                            FindUnicodeLanguageFile, FindUnicodeHelpFile);
    if (files.messages) {
        for (const std::string& text : files.messages->messages)
            target.messages.push_back(engine::Utf8ToUtf16(text));
    }
    target.help = files.help ? &*files.help : nullptr;
    target.pluginGuid = info.Guid;
    target.hostVersion = kUnicodeHostVersion;
    target.settings = std::make_unique<SettingsStore>(info.Guid);
    if (options.beforeSettings)
        options.beforeSettings(target.settings->FilePath(unicode_api::PSL_ROAMING));

    plugin->library_ = std::move(library);
    if (found.SetStartupInfoW != nullptr) {
        // Both records are the host's temporaries: the plug-in copies them.
        unicode_api::FarStandardFunctions fsf{};
        unicode_api::PluginStartupInfo startup{};
        startup.StructSize = sizeof startup;
        startup.ModuleName = InterfaceText(plugin->moduleName_.c_str());
        FillUnicodeServices(startup, fsf);
        plugin->CallPlugin([&] { found.SetStartupInfoW(&startup); });
    }
    return plugin;
}

UnicodePlugin::~UnicodePlugin() {
    if (exports_.GetGlobalInfoW != nullptr) {
        EditorEvent(unicode_api::EE_CLOSE, nullptr);
        if (exports_.ExitFARW != nullptr) {
            unicode_api::ExitInfo info{sizeof info, nullptr};
            CallPlugin([&] { exports_.ExitFARW(&info); });
        }
    }
    editor_.reset();
    target_.editor = nullptr;
    target_.settings.reset();  // what the plug-in left uncommitted is written
    target_.dialogs.clear();
    if (CurrentUnicodeServiceTarget() == &target_) SetUnicodeServiceTarget(nullptr);
}

void UnicodePlugin::EditorEvent(std::intptr_t event, void* param) {
    if (exports_.ProcessEditorEventW == nullptr || editor_ == nullptr) return;
    unicode_api::ProcessEditorEventInfo info{sizeof info, event, param, UnicodeEditor::kId,
                                             nullptr};
    CallPlugin([&] { return exports_.ProcessEditorEventW(&info); });
}

void UnicodePlugin::SetEditor(engine::Editor* editor) {
    if (editor_ != nullptr) {
        EditorEvent(unicode_api::EE_CLOSE, nullptr);
        editor_.reset();
        target_.editor = nullptr;
    }
    if (editor == nullptr) return;
    editor_ = std::make_unique<UnicodeEditor>(*editor);
    target_.editor = editor_.get();
    // A record the plug-in feeds back goes through it again, nested.
    editor_->SetPluginInput([this](const INPUT_RECORD& record) { return Offer(record); });
    editor_->SetFedBack([this, editor](const ConsoleKey& key) { FedBack(*editor, key); });
    EditorEvent(unicode_api::EE_READ, nullptr);
}

std::intptr_t UnicodePlugin::Offer(const INPUT_RECORD& record) {
    if (exports_.ProcessEditorInputW == nullptr) return 0;
    unicode_api::ProcessEditorInputInfo info{sizeof info, record, nullptr};
    return CallPlugin([&] { return exports_.ProcessEditorInputW(&info); });
}

int UnicodePlugin::OfferKey(const KeyInput& input, const EditorAction& editorAction) {
    if (input.unicode) {
        // Given in the Unicode form: offered as it is; a character that the
        // file's code page cannot hold is offered to the plug-in but not typed.
        const std::intptr_t answer = Offer(*input.unicode);
        if (answer == 0 && editor_ != nullptr && input.key) editorAction(*input.key);
        return answer != 0 ? 1 : 0;
    }
    if (!input.key) return 0;
    ConsoleKey key = *input.key;
    // The plug-in is offered the character that the editor then types: the
    // OEM character as the file's table holds it exactly.
    if (!key.typed && editor_ != nullptr && key.record.EventType == KEY_EVENT &&
        key.record.Event.KeyEvent.bKeyDown) {
        const KEY_EVENT_RECORD& record = key.record.Event.KeyEvent;
        const auto oem = static_cast<unsigned char>(record.uChar.AsciiChar);
        if (oem >= 0x80 && !CommandModifiers(record.dwControlKeyState)) {
            key.typed = engine::EncodeChar(editor_->Engine().Table(),
                                           engine::ToUnicode(engine::CodePage::Oem866, oem));
            if (!key.typed) return 0;  // a character the file cannot hold is not typed
        }
    }
    const engine::LineCodec& codec =
        editor_ ? editor_->Codec() : engine::CodecOf(engine::CodePage::Oem866);
    const std::intptr_t answer = Offer(ToUnicodeInput(key.record, key.typed, codec));
    if (answer == 0 && editor_ != nullptr) editorAction(key);
    return answer != 0 ? 1 : 0;
}

unicode_api::PluginInfo UnicodePlugin::QueryPluginInfo() {
    unicode_api::PluginInfo info{};
    info.StructSize = sizeof info;
    if (exports_.GetPluginInfoW != nullptr) CallPlugin([&] { exports_.GetPluginInfoW(&info); });
    return info;
}

std::vector<std::string> UnicodePlugin::EntryTitles(PluginEntries menu) {
    const unicode_api::PluginInfo info = QueryPluginInfo();
    const unicode_api::PluginMenuItem& entries = EntriesOf(info, menu);
    std::vector<std::string> titles;
    for (std::size_t i = 0; entries.Strings != nullptr && i < entries.Count; ++i) {
        const unicode_api::WChar* title = entries.Strings[i];
        titles.push_back(title != nullptr ? engine::Utf16ToUtf8(Utf16Of(title)) : std::string());
    }
    return titles;
}

std::intptr_t UnicodePlugin::RunEntry(PluginEntries menu, int index) {
    const unicode_api::PluginInfo info = QueryPluginInfo();
    const unicode_api::PluginMenuItem& entries = EntriesOf(info, menu);
    if (index < 0 || entries.Guids == nullptr || static_cast<std::size_t>(index) >= entries.Count)
        return 0;
    const unicode_api::GUID& id = entries.Guids[index];
    if (menu == PluginEntries::Settings) return Configure(id);
    return Open(id) != nullptr ? 1 : 0;
}

std::intptr_t UnicodePlugin::Configure(const unicode_api::GUID& item) {
    if (exports_.ConfigureW == nullptr) return 0;
    unicode_api::ConfigureInfo info{sizeof info, &item, nullptr};
    return CallPlugin([&] { return exports_.ConfigureW(&info); });
}

HANDLE UnicodePlugin::Open(const unicode_api::GUID& item) {
    if (exports_.OpenW == nullptr) return nullptr;
    unicode_api::OpenInfo info{sizeof info, unicode_api::OPEN_EDITOR, &item, 0, nullptr};
    return CallPlugin([&] { return exports_.OpenW(&info); });
}

std::optional<std::intptr_t> UnicodePlugin::CallFromMacro(const std::string& argument) {
    if (exports_.OpenW == nullptr) return 0;
    const std::u16string text = engine::Utf8ToUtf16(argument);
    unicode_api::FarMacroValue value{};
    value.Type = unicode_api::FMVT_STRING;
    value.String = InterfaceText(text.c_str());
    unicode_api::OpenMacroInfo call{sizeof call, 1, &value};
    // The macro's own GUID, none of the plug-in's, names the caller.
    static constexpr unicode_api::GUID kMacroCaller{
        0x0ff1a13f, 0x5ecd, 0x4b7c, {0x8f, 0x29, 0x21, 0x43, 0x8b, 0x67, 0x11, 0x7b}};
    unicode_api::OpenInfo info{sizeof info, unicode_api::OPEN_FROMMACRO, &kMacroCaller,
                               reinterpret_cast<std::intptr_t>(&call), nullptr};
    const HANDLE answer = CallPlugin([&] { return exports_.OpenW(&info); });
    return reinterpret_cast<std::intptr_t>(answer);
}

void UnicodePlugin::AnnounceSave(const std::string& fileName) {
    if (editor_ == nullptr) return;
    const engine::Editor& editor = editor_->Engine();
    const std::u16string name = engine::Utf8ToUtf16(fileName);
    // The file's line end, as its first line has it.
    const std::u16string eol =
        engine::Utf8ToUtf16(editor.LineCount() > 0 ? std::string(editor.LineAt(0).eol) : "");
    unicode_api::EditorSaveFile record{sizeof record, InterfaceText(name.c_str()),
                                       InterfaceText(eol.c_str()),
                                       engine::CodecOf(editor.Table()).CodePageNumber()};
    EditorEvent(unicode_api::EE_SAVE, &record);
}

}  // namespace host
