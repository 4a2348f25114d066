#include "host/host.hpp"

#include <type_traits>

#include "host/ansi/ansi_plugin.hpp"
#include "host/key_table.hpp"
#include "host/module_loader.hpp"
#ifndef _WIN32
#include "host/far2l/far2l_plugin.hpp"
#endif
#include "host/unicode/unicode_editor.hpp"
#include "host/unicode/unicode_plugin.hpp"

namespace host {

namespace {

const std::string kNoText;

// The argument of the plug-in's macro call that the reflow key makes.
constexpr char kReflowCall[] = "Reflow";

// True for the key-down of the key that the table binds to the reflow.
bool IsReflowKey(const ConsoleKey& key) {
    if (key.record.EventType != KEY_EVENT || !key.record.Event.KeyEvent.bKeyDown) return false;
    const KEY_EVENT_RECORD& record = key.record.Event.KeyEvent;
    const KeyAction* action = ActionOf(record.wVirtualKeyCode, record.dwControlKeyState,
                                       static_cast<unsigned char>(record.uChar.AsciiChar));
    return action != nullptr && *action == KeyAction(EditorCommand::Reflow);
}

}  // namespace

template <class Call>
auto Host::Calling(Call call) {
    // What waited runs when the call returns; a call that throws drops it.
    try {
        if constexpr (std::is_void_v<decltype(call())>) {
            call();
            RunWaiting();
        } else {
            auto result = call();
            RunWaiting();
            return result;
        }
    } catch (...) {
        waiting_.clear();
        throw;
    }
}

Host::Host(HostOptions options) : options_(std::move(options)) {}

Host::~Host() {
    // The plug-in is told its editor is closing while the editor still stands.
    plugin_.reset();
}

bool Host::LoadModule(const std::string& modulePath, std::string* error) {
    std::string ignored;
    std::string& why = error != nullptr ? *error : ignored;
    if (plugin_) {
        why = "a module is already loaded";
        return false;
    }
    auto library = ModuleLibrary::Open(modulePath, &why);
    if (!library) return false;
        // The interface is told apart by the exports: each adapter knows its own.
#ifndef _WIN32
    if (Far2lPlugin::Speaks(modulePath))
        plugin_ = Far2lPlugin::Load(std::move(library), modulePath, options_, why);
    else
#endif
        if (UnicodePlugin::Speaks(*library))
        plugin_ = UnicodePlugin::Load(std::move(library), modulePath, options_, why);
    else
        plugin_ = AnsiPlugin::Load(std::move(library), modulePath, options_, why);
    if (!plugin_) return false;
    plugin_->SetUi(ui_);
    plugin_->SetFedBack([this](const ConsoleKey& key) { FedBack(key); });
    return true;
}

const std::string& Host::PluginFolder() const {
    return plugin_ ? plugin_->Files().folder : kNoText;
}

const std::string& Host::LoadWarnings() const {
    return plugin_ ? plugin_->Files().warnings : kNoText;
}

const LanguageFile* Host::Messages() const {
    return plugin_ && plugin_->Files().messages ? &*plugin_->Files().messages : nullptr;
}

const HelpFile* Host::Help() const {
    return plugin_ && plugin_->Files().help ? &*plugin_->Files().help : nullptr;
}

void Host::SetEditor(engine::Editor* editor) {
    editor_ = editor;
    engineKeys_.SetEditor(editor);
    if (plugin_) Calling([&] { plugin_->SetEditor(editor); });
}

void Host::SetUi(Ui* ui) {
    ui_ = ui;
    if (plugin_) plugin_->SetUi(ui);
}

void Host::SetKeyHandler(KeyHandler* handler) { handler_ = handler; }

int Host::Dispatch(const INPUT_RECORD& record, std::optional<engine::TableChar> typed) {
    return Deliver(KeyInput{ConsoleKey{record, typed}, std::nullopt});
}

int Host::DispatchUnicode(const INPUT_RECORD& record) {
    const engine::LineCodec& codec =
        engine::CodecOf(editor_ != nullptr ? editor_->Table() : engine::CodePage::Oem866);
    return Deliver(KeyInput{ToEngineInput(record, codec), record});
}

int Host::Deliver(const KeyInput& input) {
    KeyHandler& keys = Keys();
    // The editor's own commands run after the plug-in's call, outside the
    // step of its changes; everything else where its host lets the editor act.
    // The reflow key is bound to the plug-in's macro call, which takes the
    // key before any plug-in sees it, as the 3.x host's macros do; a plug-in
    // without macro calls is offered the key as any other.
    if (input.key && IsReflowKey(*input.key) && CallFromMacro(kReflowCall)) return 0;
    const bool command = input.key && keys.KindOf(input.key->record) == KeyKind::Command;
    int answer = 0;
    if (plugin_) {
        answer = Calling([&] {
            return plugin_->OfferKey(input, [&](const ConsoleKey& key) {
                if (!command) keys.Handle(key, false);
            });
        });
    } else if (input.key && !command) {
        keys.Handle(*input.key, false);
    }
    if (answer == 0 && command) keys.Handle(*input.key, false);
    return answer;
}

void Host::FedBack(const ConsoleKey& key) {
    if (Keys().KindOf(key.record) == KeyKind::Edit) {
        Keys().Handle(key, true);
        return;
    }
    waiting_.push_back(key);
}

void Host::RunWaiting() {
    while (!waiting_.empty()) {
        const ConsoleKey key = waiting_.front();
        waiting_.pop_front();
        Keys().Handle(key, false);
    }
}

std::vector<std::string> Host::EntryTitles(PluginEntries menu) {
    if (!plugin_) return {};
    return Calling([&] { return plugin_->EntryTitles(menu); });
}

std::intptr_t Host::RunEntry(PluginEntries menu, int index) {
    if (!plugin_) return 0;
    return Calling([&] { return plugin_->RunEntry(menu, index); });
}

int Host::Configure(int itemNumber) {
    if (!plugin_) return 0;
    return static_cast<int>(Calling([&] { return plugin_->Configure(itemNumber); }));
}

HANDLE Host::OpenPlugin(int openFrom, int item) {
    AnsiPlugin* ansi = PluginAs<AnsiPlugin>();
    if (ansi == nullptr) return INVALID_HANDLE_VALUE;
    return Calling([&] { return ansi->OpenPlugin(openFrom, item); });
}

std::optional<std::intptr_t> Host::CallFromMacro(const std::string& argument) {
    if (!plugin_) return std::nullopt;
    return Calling([&] { return plugin_->CallFromMacro(argument); });
}

void Host::AnnounceSave(const std::string& fileName) {
    if (plugin_) Calling([&] { plugin_->AnnounceSave(fileName); });
}

}  // namespace host
