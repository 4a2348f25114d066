#include "host/ansi/ansi_plugin.hpp"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "engine/codepage.hpp"

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

}  // namespace

std::unique_ptr<AnsiPlugin> AnsiPlugin::Load(std::unique_ptr<ModuleLibrary> library,
                                             const std::string& path, const HostOptions& options,
                                             std::string& why) {
    std::unique_ptr<AnsiPlugin> plugin(new AnsiPlugin);
    AnsiExports& exports = plugin->exports_;
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
            why = path + ": the module does not export " + entry.name;
            return nullptr;
        }
    }
    exports.ProcessEditorEvent =
        reinterpret_cast<ProcessEditorEventFn>(library->Symbol("ProcessEditorEvent"));

    // The language and help files beside the module; without them the module
    // still runs, its messages empty.
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(path, ec).parent_path();
    if (ec) folder = std::filesystem::path(path).parent_path();
    PluginFiles& files = plugin->files_;
    files = FindPluginFiles(folder.string(), options.language, FindLanguageFile, FindHelpFile);
    plugin->target_.messages = files.messages ? &*files.messages : nullptr;

    PluginStartupInfo full{};
    full.StructSize = options.startupInfoSize;
    CopyModuleName(full.ModuleName, path);
    full.ModuleNumber = options.moduleNumber;
    // The record points at the root key: the options outlive the plug-in.
    full.RootKey = options.rootKey.c_str();
    FillAnsiServices(full);

    const std::size_t size = static_cast<std::size_t>(std::max(0, options.startupInfoSize));
    const std::size_t bufferSize = std::max(size, sizeof(PluginStartupInfo));
    std::vector<std::uint64_t>& startup = plugin->startupInfo_;
    startup.assign((bufferSize + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t), 0);
    auto* bytes = reinterpret_cast<unsigned char*>(startup.data());
    std::memcpy(bytes, &full, std::min(size, sizeof full));
    std::memcpy(bytes, &full.StructSize, sizeof full.StructSize);  // even when it does not fit
    for (std::size_t offset : kPointerFields) {
        if (offset + sizeof(void*) > size) std::memset(bytes + offset, 0, sizeof(void*));
    }

    plugin->library_ = std::move(library);
    plugin->Serve();
    exports.SetStartupInfo(reinterpret_cast<const PluginStartupInfo*>(bytes));
    return plugin;
}

AnsiPlugin::~AnsiPlugin() {
    if (CurrentAnsiServiceTarget() == &target_) SetAnsiServiceTarget(nullptr);
}

const PluginStartupInfo* AnsiPlugin::StartupInfo() const {
    return reinterpret_cast<const PluginStartupInfo*>(startupInfo_.data());
}

void AnsiPlugin::SetEditor(engine::Editor* editor) {
    target_.editor = nullptr;
    editor_.reset();
    if (editor == nullptr) return;
    editor_ = std::make_unique<AnsiEditor>(*editor);
    target_.editor = editor_.get();
    // A record that the plug-in feeds back goes through it again, nested.
    editor_->SetPluginInput([this](const INPUT_RECORD& record) { return Offer(record); });
    editor_->SetFedBack([this, editor](const ConsoleKey& key) { FedBack(*editor, key); });
}

int AnsiPlugin::Offer(const INPUT_RECORD& record) {
    Serve();
    return exports_.ProcessEditorInput(&record);
}

int AnsiPlugin::OfferKey(const KeyInput& input, const EditorAction& editorAction) {
    // A character the file's table cannot hold cannot be shown to the plug-in.
    if (!input.key) return 0;
    std::optional<engine::Editor::UndoStep> step;
    if (editor_) step.emplace(editor_->Engine());
    const int answer = Offer(input.key->record);
    if (answer == 0) editorAction(*input.key);
    return answer;
}

PluginInfo AnsiPlugin::QueryPluginInfo() {
    PluginInfo info{};
    Serve();
    exports_.GetPluginInfo(&info);
    return info;
}

std::vector<std::string> AnsiPlugin::EntryTitles(PluginEntries menu) {
    const PluginInfo info = QueryPluginInfo();
    const bool commands = menu == PluginEntries::Commands;
    const char* const* strings = commands ? info.PluginMenuStrings : info.PluginConfigStrings;
    const int count = commands ? info.PluginMenuStringsNumber : info.PluginConfigStringsNumber;
    std::vector<std::string> titles;
    for (int i = 0; strings != nullptr && i < count; ++i)
        titles.push_back(strings[i] != nullptr
                             ? engine::ToUtf8(engine::CodePage::Oem866, strings[i])
                             : std::string());
    return titles;
}

std::intptr_t AnsiPlugin::RunEntry(PluginEntries menu, int index) {
    if (index < 0 || index >= static_cast<int>(EntryTitles(menu).size())) return 0;
    if (menu == PluginEntries::Settings) return Configure(index);
    return OpenPlugin(OPEN_EDITOR, index) != INVALID_HANDLE_VALUE ? 1 : 0;
}

std::intptr_t AnsiPlugin::Configure(int index) {
    Serve();
    return exports_.Configure(index);
}

HANDLE AnsiPlugin::OpenPlugin(int openFrom, int item) {
    Serve();
    return exports_.OpenPlugin(openFrom, item);
}

void AnsiPlugin::AnnounceSave(const std::string& /*fileName*/) {
    if (exports_.ProcessEditorEvent == nullptr) return;
    Serve();
    exports_.ProcessEditorEvent(EE_SAVE, nullptr);
}

}  // namespace host
