#include "host/host.hpp"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <tuple>
#include <vector>

#include "engine/text16.hpp"
#include "host/ansi/ansi_services.hpp"
#include "host/key_input.hpp"
#include "host/module_loader.hpp"
#include "host/unicode/unicode_editor.hpp"
#include "host/unicode/unicode_services.hpp"
#include "host/unicode/unicode_text.hpp"

namespace host {

namespace {

// The module is told its full file name; the record has room for 259 bytes.
void CopyModuleName(char (&field)[260], const std::string& path) {
    std::error_code ec;
    std::string full = std::filesystem::absolute(path, ec).lexically_normal().string();
    if (ec) full = path;
    const std::size_t length = std::min(full.size(), sizeof field - 1);
    std::memcpy(field, full.data(), length);
    field[length] = '\0';
}

// Pointer fields of the record that a short StructSize may cut: a field that
// does not fit whole is left zero, never handed over half.
constexpr std::size_t kPointerFields[] = {
    offsetof(PluginStartupInfo, RootKey),      offsetof(PluginStartupInfo, Menu),
    offsetof(PluginStartupInfo, Dialog),       offsetof(PluginStartupInfo, Message),
    offsetof(PluginStartupInfo, GetMsg),       offsetof(PluginStartupInfo, Control),
    offsetof(PluginStartupInfo, SaveScreen),   offsetof(PluginStartupInfo, RestoreScreen),
    offsetof(PluginStartupInfo, GetDirList),   offsetof(PluginStartupInfo, GetPluginDirList),
    offsetof(PluginStartupInfo, FreeDirList),  offsetof(PluginStartupInfo, Viewer),
    offsetof(PluginStartupInfo, Editor),       offsetof(PluginStartupInfo, CmpName),
    offsetof(PluginStartupInfo, CharTable),    offsetof(PluginStartupInfo, Text),
    offsetof(PluginStartupInfo, EditorControl)};
static_assert(sizeof(void*) == sizeof(FARAPIMENU), "services and texts are pointer-sized");

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

}  // namespace

struct Host::Impl {
    HostOptions options;
    std::unique_ptr<ModuleLibrary> library;
    ModuleExports exports;
    std::string pluginFolder;
    std::optional<LanguageFile> messages;
    std::optional<HelpFile> help;
    std::string warnings;
    // The start-up record as handed over: max(StructSize, the full record)
    // bytes, kept for the module's lifetime like the real host's.
    std::vector<std::uint64_t> startupInfo;
    ServiceTarget target;
    // What the editor's hook for fed-back records reaches the host through;
    // the hook finds nothing once the host is gone, whichever dies first.
    std::shared_ptr<Impl*> self = std::make_shared<Impl*>(this);

    // A Unicode plug-in's state.
    PluginInterface kind = PluginInterface::None;
    UnicodeExports unicodeExports;
    unicode_api::GlobalInfo global{};
    std::u16string moduleName16;  // what PluginStartupInfo.ModuleName points at
    UnicodeServices unicode;
    std::unique_ptr<UnicodeEditor> unicodeEditor;
    // The editor the plug-in works in, and as a 1.x plug-in sees it.
    engine::Editor* editor = nullptr;
    std::unique_ptr<AnsiEditor> ansiEditor;

    // A record offered to the loaded plug-in; its answer, 0 without one.
    int OfferToPlugins(const INPUT_RECORD& record) {
        if (exports.ProcessEditorInput == nullptr) return 0;
        SetServiceTarget(&target);
        return exports.ProcessEditorInput(&record);
    }

    // Calls into a Unicode plug-in through `call`, with the texts it is
    // handed kept and its undo brackets closed when the outermost call ends.
    template <class Call>
    auto CallUnicode(Call call) {
        SetServiceTarget(&target);
        UnicodeEditor* const view = unicodeEditor.get();
        if (view != nullptr) view->EnterPlugin();
        struct Leave {
            UnicodeEditor* view;
            ~Leave() {
                if (view != nullptr) view->LeavePlugin();
            }
        } leave{view};
        return call();
    }

    // A record in the Unicode form offered to a Unicode plug-in.
    std::intptr_t OfferToUnicodePlugin(const INPUT_RECORD& record) {
        if (unicodeExports.ProcessEditorInputW == nullptr) return 0;
        unicode_api::ProcessEditorInputInfo info{sizeof info, record, nullptr};
        return CallUnicode([&] { return unicodeExports.ProcessEditorInputW(&info); });
    }

    void SendEvent(std::intptr_t event, void* param) {
        if (unicodeExports.ProcessEditorEventW == nullptr || unicodeEditor == nullptr) return;
        unicode_api::ProcessEditorEventInfo info{sizeof info, event, param, UnicodeEditor::kId,
                                                 nullptr};
        CallUnicode([&] { return unicodeExports.ProcessEditorEventW(&info); });
    }

    bool LoadUnicode(std::unique_ptr<ModuleLibrary> module, const std::string& path,
                     std::string& why);

    void Unload() {
        if (kind == PluginInterface::Unicode) {
            SendEvent(unicode_api::EE_CLOSE, nullptr);
            if (unicodeExports.ExitFARW != nullptr) {
                unicode_api::ExitInfo info{sizeof info, nullptr};
                CallUnicode([&] { unicodeExports.ExitFARW(&info); });
            }
        }
        unicodeEditor.reset();
        target.unicodeEditor = nullptr;
        ansiEditor.reset();
        target.editor = nullptr;
        unicode.settings.reset();  // what the plug-in left uncommitted is written
        unicode.dialogs.clear();
        exports = {};
        unicodeExports = {};
        kind = PluginInterface::None;
        library.reset();
    }
};

bool Host::Impl::LoadUnicode(std::unique_ptr<ModuleLibrary> module, const std::string& path,
                             std::string& why) {
    UnicodeExports found;
    found.GetGlobalInfoW =
        reinterpret_cast<unicode_api::GetGlobalInfoWFn>(module->Symbol("GetGlobalInfoW"));
    found.SetStartupInfoW =
        reinterpret_cast<unicode_api::SetStartupInfoWFn>(module->Symbol("SetStartupInfoW"));
    found.GetPluginInfoW =
        reinterpret_cast<unicode_api::GetPluginInfoWFn>(module->Symbol("GetPluginInfoW"));
    found.OpenW = reinterpret_cast<unicode_api::OpenWFn>(module->Symbol("OpenW"));
    found.ConfigureW = reinterpret_cast<unicode_api::ConfigureWFn>(module->Symbol("ConfigureW"));
    found.ProcessEditorInputW =
        reinterpret_cast<unicode_api::ProcessEditorInputWFn>(module->Symbol("ProcessEditorInputW"));
    found.ProcessEditorEventW =
        reinterpret_cast<unicode_api::ProcessEditorEventWFn>(module->Symbol("ProcessEditorEventW"));
    found.ExitFARW = reinterpret_cast<unicode_api::ExitFARWFn>(module->Symbol("ExitFARW"));

    unicode_api::GlobalInfo info{};
    info.StructSize = sizeof info;
    SetServiceTarget(&target);
    found.GetGlobalInfoW(&info);
    if (const std::string refusal = RefusalOf(info, kUnicodeHostVersion); !refusal.empty()) {
        why = path + ": " + refusal;
        return false;
    }

    std::error_code ec;
    std::string full = std::filesystem::absolute(path, ec).lexically_normal().string();
    if (ec) full = path;
    moduleName16 = engine::Utf8ToUtf16(full);
    pluginFolder = std::filesystem::path(full).parent_path().string();
    warnings.clear();
    // The language and help files beside the module, in the Unicode
    // interface's encodings; without them the plug-in still runs.
    std::string problem;
    messages = FindUnicodeLanguageFile(pluginFolder, options.language, &problem);
    if (!problem.empty()) warnings += problem + "\n";
    problem.clear();
    help = FindUnicodeHelpFile(pluginFolder, options.language, &problem);
    if (!problem.empty()) warnings += problem + "\n";
    unicode.messages.clear();
    if (messages) {
        for (const std::string& text : messages->messages)
            unicode.messages.push_back(engine::Utf8ToUtf16(text));
    }
    unicode.help = help ? &*help : nullptr;
    unicode.pluginGuid = info.Guid;
    unicode.hostVersion = kUnicodeHostVersion;
    unicode.settings = std::make_unique<SettingsStore>(info.Guid);
    target.unicode = &unicode;

    library = std::move(module);
    unicodeExports = found;
    global = info;
    kind = PluginInterface::Unicode;
    if (unicodeExports.SetStartupInfoW != nullptr) {
        // Both records are the host's temporaries: the plug-in copies them.
        unicode_api::FarStandardFunctions fsf{};
        unicode_api::PluginStartupInfo startup{};
        startup.StructSize = sizeof startup;
        // The interface's wide character is wchar_t on Windows, of the same width.
        startup.ModuleName = reinterpret_cast<const unicode_api::WChar*>(moduleName16.c_str());
        FillUnicodeServices(startup, fsf);
        CallUnicode([&] { unicodeExports.SetStartupInfoW(&startup); });
    }
    return true;
}

Host::Host(HostOptions options) : impl_(std::make_unique<Impl>()) {
    impl_->options = std::move(options);
    SetServiceTarget(&impl_->target);
}

Host::~Host() {
    impl_->self.reset();
    impl_->Unload();
    if (CurrentServiceTarget() == &impl_->target) SetServiceTarget(nullptr);
}

bool Host::LoadModule(const std::string& modulePath, std::string* error) {
    std::string ignored;
    std::string& why = error != nullptr ? *error : ignored;
    if (impl_->library) {
        why = "a module is already loaded";
        return false;
    }
    auto library = ModuleLibrary::Open(modulePath, &why);
    if (!library) return false;
    if (library->Symbol("GetGlobalInfoW") != nullptr) {
        return impl_->LoadUnicode(std::move(library), modulePath, why);
    }

    ModuleExports exports;
    struct Export {
        const char* name;
        void** slot;
    };
    const Export wanted[] = {
        {"SetStartupInfo", reinterpret_cast<void**>(&exports.SetStartupInfo)},
        {"GetPluginInfo", reinterpret_cast<void**>(&exports.GetPluginInfo)},
        {"ProcessEditorInput", reinterpret_cast<void**>(&exports.ProcessEditorInput)},
        {"OpenPlugin", reinterpret_cast<void**>(&exports.OpenPlugin)},
        {"Configure", reinterpret_cast<void**>(&exports.Configure)}};
    for (const Export& entry : wanted) {
        *entry.slot = library->Symbol(entry.name);
        if (*entry.slot == nullptr) {
            why = modulePath + ": the module does not export " + entry.name;
            return false;
        }
    }
    exports.ProcessEditorEvent =
        reinterpret_cast<ProcessEditorEventFn>(library->Symbol("ProcessEditorEvent"));

    // The language and help files beside the module; without them the module
    // still runs, its messages empty.
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(modulePath, ec).parent_path();
    if (ec) folder = std::filesystem::path(modulePath).parent_path();
    impl_->pluginFolder = folder.string();
    impl_->warnings.clear();
    std::string problem;
    impl_->messages = FindLanguageFile(impl_->pluginFolder, impl_->options.language, &problem);
    if (!problem.empty()) impl_->warnings += problem + "\n";
    problem.clear();
    impl_->help = FindHelpFile(impl_->pluginFolder, impl_->options.language, &problem);
    if (!problem.empty()) impl_->warnings += problem + "\n";
    impl_->target.messages = impl_->messages ? &*impl_->messages : nullptr;

    PluginStartupInfo full{};
    full.StructSize = impl_->options.startupInfoSize;
    CopyModuleName(full.ModuleName, modulePath);
    full.ModuleNumber = impl_->options.moduleNumber;
    full.RootKey = impl_->options.rootKey.c_str();
    FillServices(full);

    const std::size_t size = static_cast<std::size_t>(std::max(0, impl_->options.startupInfoSize));
    const std::size_t bufferSize = std::max(size, sizeof(PluginStartupInfo));
    impl_->startupInfo.assign((bufferSize + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t), 0);
    auto* bytes = reinterpret_cast<unsigned char*>(impl_->startupInfo.data());
    std::memcpy(bytes, &full, std::min(size, sizeof full));
    std::memcpy(bytes, &full.StructSize, sizeof full.StructSize);  // even when it does not fit
    for (std::size_t offset : kPointerFields) {
        if (offset + sizeof(void*) > size) std::memset(bytes + offset, 0, sizeof(void*));
    }

    impl_->library = std::move(library);
    impl_->exports = exports;
    impl_->kind = PluginInterface::Ansi;
    SetServiceTarget(&impl_->target);
    impl_->exports.SetStartupInfo(reinterpret_cast<const PluginStartupInfo*>(bytes));
    return true;
}

PluginInterface Host::Interface() const { return impl_->kind; }
const ModuleExports& Host::Exports() const { return impl_->exports; }
const UnicodeExports& Host::UnicodeExportsOf() const { return impl_->unicodeExports; }
const unicode_api::GlobalInfo& Host::Global() const { return impl_->global; }
const std::string& Host::PluginFolder() const { return impl_->pluginFolder; }
const std::string& Host::LoadWarnings() const { return impl_->warnings; }

const PluginStartupInfo* Host::StartupInfo() const {
    if (impl_->startupInfo.empty()) return nullptr;
    return reinterpret_cast<const PluginStartupInfo*>(impl_->startupInfo.data());
}

void Host::SetEditor(engine::Editor* editor) {
    Impl& impl = *impl_;
    if (impl.unicodeEditor != nullptr) {
        impl.SendEvent(unicode_api::EE_CLOSE, nullptr);
        impl.unicodeEditor.reset();
        impl.target.unicodeEditor = nullptr;
    }
    impl.target.editor = nullptr;
    impl.ansiEditor.reset();
    impl.editor = editor;
    if (editor == nullptr) return;
    if (impl.kind == PluginInterface::Unicode) {
        impl.unicodeEditor = std::make_unique<UnicodeEditor>(*editor);
        impl.target.unicodeEditor = impl.unicodeEditor.get();
        // A record the plug-in feeds back goes through it again, nested.
        impl.unicodeEditor->SetPluginInput(
            [&impl](const INPUT_RECORD& record) { return impl.OfferToUnicodePlugin(record); });
        impl.SendEvent(unicode_api::EE_READ, nullptr);
        return;
    }
    impl.ansiEditor = std::make_unique<AnsiEditor>(*editor);
    impl.target.editor = impl.ansiEditor.get();
    // A record that a plug-in feeds back goes through the plug-ins again.
    impl.ansiEditor->SetPluginInput(
        [&impl](const INPUT_RECORD& record) { return impl.OfferToPlugins(record); });
}
engine::Editor* Host::CurrentEditor() const { return impl_->editor; }
AnsiEditor* Host::CurrentAnsiEditor() const { return impl_->ansiEditor.get(); }
void Host::SetUi(Ui* ui) { impl_->target.ui = ui; }

int Host::Dispatch(const INPUT_RECORD& record, std::optional<engine::TableChar> typed) {
    if (impl_->kind == PluginInterface::Unicode) {
        // The plug-in is offered the character that the editor then types:
        // the OEM character as the file's table holds it exactly.
        if (!typed && impl_->editor != nullptr && record.EventType == KEY_EVENT &&
            record.Event.KeyEvent.bKeyDown) {
            const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
            const auto oem = static_cast<unsigned char>(key.uChar.AsciiChar);
            if (oem >= 0x80 && !host::CommandModifiers(key.dwControlKeyState)) {
                typed = engine::EncodeChar(impl_->editor->Table(),
                                           engine::ToUnicode(engine::CodePage::Oem866, oem));
                if (!typed) return 0;  // a character the file cannot hold is not typed
            }
        }
        const engine::LineCodec& codec = impl_->unicodeEditor
                                             ? impl_->unicodeEditor->Codec()
                                             : engine::CodecOf(engine::CodePage::Oem866);
        const auto answer = impl_->OfferToUnicodePlugin(ToUnicodeInput(record, typed, codec));
        engine::Editor* const editor = impl_->editor;
        if (answer == 0 && editor != nullptr) HandleKey(*editor, record, typed);
        return answer != 0 ? 1 : 0;
    }
    SetServiceTarget(&impl_->target);
    engine::Editor* const editor = impl_->editor;
    std::optional<engine::Editor::UndoStep> step;
    if (editor != nullptr) step.emplace(*editor);
    const int answer = impl_->OfferToPlugins(record);
    if (answer == 0 && editor != nullptr) HandleKey(*editor, record, typed);
    return answer;
}

int Host::DispatchUnicode(const INPUT_RECORD& record) {
    if (impl_->kind != PluginInterface::Unicode) {
        const engine::LineCodec& codec =
            engine::CodecOf(impl_->editor ? impl_->editor->Table() : engine::CodePage::Oem866);
        // An ANSI plug-in cannot be shown a character its table lacks.
        const std::optional<EngineInput> input = ToEngineInput(record, codec);
        return input ? Dispatch(input->record, input->typed) : 0;
    }
    const auto answer = impl_->OfferToUnicodePlugin(record);
    if (answer == 0 && impl_->unicodeEditor != nullptr) impl_->unicodeEditor->ProcessInput(record);
    return answer != 0 ? 1 : 0;
}

PluginInfo Host::QueryPluginInfo() {
    PluginInfo info{};
    if (impl_->exports.GetPluginInfo != nullptr) {
        SetServiceTarget(&impl_->target);
        impl_->exports.GetPluginInfo(&info);
    }
    return info;
}

int Host::Configure(int itemNumber) {
    if (impl_->exports.Configure == nullptr) return 0;
    SetServiceTarget(&impl_->target);
    return impl_->exports.Configure(itemNumber);
}

HANDLE Host::OpenPlugin(int openFrom, int item) {
    if (impl_->exports.OpenPlugin == nullptr) return INVALID_HANDLE_VALUE;
    SetServiceTarget(&impl_->target);
    return impl_->exports.OpenPlugin(openFrom, item);
}

unicode_api::PluginInfo Host::QueryUnicodePluginInfo() {
    unicode_api::PluginInfo info{};
    info.StructSize = sizeof info;
    if (impl_->unicodeExports.GetPluginInfoW != nullptr) {
        impl_->CallUnicode([&] { impl_->unicodeExports.GetPluginInfoW(&info); });
    }
    return info;
}

std::intptr_t Host::ConfigureUnicode(const unicode_api::GUID& item) {
    if (impl_->unicodeExports.ConfigureW == nullptr) return 0;
    unicode_api::ConfigureInfo info{sizeof info, &item, nullptr};
    return impl_->CallUnicode([&] { return impl_->unicodeExports.ConfigureW(&info); });
}

HANDLE Host::OpenUnicode(const unicode_api::GUID& item) {
    if (impl_->unicodeExports.OpenW == nullptr) return nullptr;
    unicode_api::OpenInfo info{sizeof info, unicode_api::OPEN_EDITOR, &item, 0, nullptr};
    return impl_->CallUnicode([&] { return impl_->unicodeExports.OpenW(&info); });
}

void Host::AnnounceSave(const std::string& fileName) {
    Impl& impl = *impl_;
    const engine::Editor* editor = impl.editor;
    if (impl.kind == PluginInterface::Unicode) {
        if (editor == nullptr) return;
        const std::u16string name = engine::Utf8ToUtf16(fileName);
        // The file's line end, as its first line has it.
        const std::u16string eol =
            engine::Utf8ToUtf16(editor->LineCount() > 0 ? std::string(editor->LineAt(0).eol) : "");
        unicode_api::EditorSaveFile record{sizeof record, Wide(name.c_str()), Wide(eol.c_str()),
                                           engine::CodecOf(editor->Table()).CodePageNumber()};
        impl.SendEvent(unicode_api::EE_SAVE, &record);
    } else if (impl.exports.ProcessEditorEvent != nullptr) {
        SetServiceTarget(&impl.target);
        impl.exports.ProcessEditorEvent(EE_SAVE, nullptr);
    }
}

void Host::EditorEvent(int event, void* param) { impl_->SendEvent(event, param); }

UnicodeEditor* Host::CurrentUnicodeEditor() const { return impl_->unicodeEditor.get(); }

const LanguageFile* Host::Messages() const { return impl_->messages ? &*impl_->messages : nullptr; }

const HelpFile* Host::Help() const { return impl_->help ? &*impl_->help : nullptr; }

}  // namespace host
