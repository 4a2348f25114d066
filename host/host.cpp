#include "host/host.hpp"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "host/module_loader.hpp"
#include "host/services.hpp"

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
    offsetof(PluginStartupInfo, RootKey),          offsetof(PluginStartupInfo, Menu),
    offsetof(PluginStartupInfo, Dialog),           offsetof(PluginStartupInfo, Message),
    offsetof(PluginStartupInfo, GetMsg),           offsetof(PluginStartupInfo, Control),
    offsetof(PluginStartupInfo, SaveScreen),       offsetof(PluginStartupInfo, RestoreScreen),
    offsetof(PluginStartupInfo, GetDirList),       offsetof(PluginStartupInfo, GetPluginDirList),
    offsetof(PluginStartupInfo, FreeDirList),      offsetof(PluginStartupInfo, Viewer),
    offsetof(PluginStartupInfo, Editor),           offsetof(PluginStartupInfo, CmpName),
    offsetof(PluginStartupInfo, CharTable),        offsetof(PluginStartupInfo, Text),
    offsetof(PluginStartupInfo, EditorControl)};
static_assert(sizeof(void*) == sizeof(FARAPIMENU), "services and texts are pointer-sized");

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

    // A record offered to the loaded plug-in; its answer, 0 without one.
    int OfferToPlugins(const INPUT_RECORD& record) {
        if (exports.ProcessEditorInput == nullptr) return 0;
        SetServiceTarget(&target);
        return exports.ProcessEditorInput(&record);
    }

    void Unload() {
        exports = {};
        library.reset();
    }
};

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
    SetServiceTarget(&impl_->target);
    impl_->exports.SetStartupInfo(reinterpret_cast<const PluginStartupInfo*>(bytes));
    return true;
}

const ModuleExports& Host::Exports() const { return impl_->exports; }
const std::string& Host::PluginFolder() const { return impl_->pluginFolder; }
const std::string& Host::LoadWarnings() const { return impl_->warnings; }

const PluginStartupInfo* Host::StartupInfo() const {
    if (impl_->startupInfo.empty()) return nullptr;
    return reinterpret_cast<const PluginStartupInfo*>(impl_->startupInfo.data());
}

void Host::SetEditor(Editor* editor) {
    impl_->target.editor = editor;
    if (editor == nullptr) return;
    // A record that a plug-in feeds back goes through the plug-ins again.
    std::weak_ptr<Impl*> host = impl_->self;
    editor->SetPluginInput([host](const INPUT_RECORD& record) {
        const std::shared_ptr<Impl*> alive = host.lock();
        return alive ? (*alive)->OfferToPlugins(record) : 0;
    });
}
Editor* Host::CurrentEditor() const { return impl_->target.editor; }
void Host::SetUi(Ui* ui) { impl_->target.ui = ui; }

int Host::Dispatch(const INPUT_RECORD& record, std::optional<unsigned char> typedByte) {
    SetServiceTarget(&impl_->target);
    Editor* const editor = impl_->target.editor;
    std::optional<Editor::UndoStep> step;
    if (editor != nullptr) step.emplace(*editor);
    const int answer = impl_->OfferToPlugins(record);
    if (answer == 0 && editor != nullptr) editor->ProcessInput(record, typedByte);
    return answer;
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

const LanguageFile* Host::Messages() const {
    return impl_->messages ? &*impl_->messages : nullptr;
}

const HelpFile* Host::Help() const { return impl_->help ? &*impl_->help : nullptr; }

}  // namespace host
