// The host of our own: loads a plug-in module through whichever plug-in
// interface it speaks (plugin.hpp, one adapter per interface), gives it the
// editor and the UI, and dispatches the editor's keys to it first. Only
// one Host exists at a time: a plug-in's services are plain functions.
//
// Keys: every key goes to the plug-in first, as its real host delivers it;
// a key the plug-in leaves goes to the KeyHandler (the engine's own keys,
// or marten-edit's view with its commands besides them). A key that the
// plug-in feeds back goes to the plug-ins again, nested, and then to the
// handler as the user's own key would: an edit at once, inside the
// plug-in's call; undo, redo and the editor's own commands once the
// outermost call into the plug-in has returned, so that its undo bracket
// is closed first. The key that the key table binds to the reflow (Alt+B)
// is the plug-in's macro call "Reflow", made before any plug-in is offered
// the key, as a macro takes its key in the 3.x host; with a plug-in
// without macro calls it is a key like any other.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "api/ansi_api.hpp"
#include "engine/editor.hpp"
#include "host/key_input.hpp"
#include "host/language.hpp"
#include "host/plugin.hpp"
#include "host/ui.hpp"

namespace host {

class Host {
public:
    explicit Host(HostOptions options = {});
    ~Host();  // unloads the module
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Loads the module file (marten.so or marten.dll; MartenW.so), by
    // whichever interface its exports speak, with the language and help
    // files beside it. On failure, `error` says why.
    bool LoadModule(const std::string& modulePath, std::string* error);
    // The loaded plug-in; null before LoadModule.
    LoadedPlugin* Plugin() const { return plugin_.get(); }
    // The loaded plug-in as the adapter of one interface, for tests of that
    // interface's own calls; null when another one is loaded.
    template <class Adapter>
    Adapter* PluginAs() const {
        return dynamic_cast<Adapter*>(plugin_.get());
    }
    const std::string& PluginFolder() const;
    const std::string& LoadWarnings() const;
    const LanguageFile* Messages() const;  // null when no language file was found
    const HelpFile* Help() const;

    // The editor that the plug-in works in; the Host does not own it.
    void SetEditor(engine::Editor* editor);
    engine::Editor* CurrentEditor() const { return editor_; }
    // The menus, dialogs and message boxes; the Host does not own it.
    void SetUi(Ui* ui);
    // What the editor does with the keys the plug-in leaves (null: the
    // engine's own keys); the Host does not own it.
    void SetKeyHandler(KeyHandler* handler);

    // A key as a console gives it, with its character as an OEM byte:
    // offered to the plug-in, then handled as the header says. `typed` is
    // the character in the editor's table that a typed character inserts,
    // where code page 866 lacks it. The plug-in's answer (0: it left the key).
    int Dispatch(const INPUT_RECORD& record, std::optional<engine::TableChar> typed = std::nullopt);
    // The same for a record with its character in UnicodeChar. A character
    // that the file's code page cannot hold is not typed by the editor, and
    // is offered only to a plug-in that takes Unicode records.
    int DispatchUnicode(const INPUT_RECORD& record);

    // The plug-in's entries in one of its menus (UTF-8) and a run of one;
    // none, or 0, without a plug-in.
    std::vector<std::string> EntryTitles(PluginEntries menu);
    std::intptr_t RunEntry(PluginEntries menu, int index);
    // Entry `itemNumber` of the configuration menu: the plug-in's answer.
    int Configure(int itemNumber);
    // The 1.x export OpenPlugin as it is (INVALID_HANDLE_VALUE with another
    // interface or none), for tests of the module's menus.
    HANDLE OpenPlugin(int openFrom, int item);
    // Tells the plug-in that the current editor's text is about to be
    // written to `fileName` (UTF-8, the full name).
    void AnnounceSave(const std::string& fileName);
    // Calls the plug-in as its host's macros do, with one string argument
    // (UTF-8): its answer; unset without a plug-in or when its interface has
    // no such call.
    std::optional<std::intptr_t> CallFromMacro(const std::string& argument);

private:
    // The handler of the keys the plug-in leaves.
    KeyHandler& Keys() { return handler_ != nullptr ? *handler_ : engineKeys_; }
    int Deliver(const KeyInput& input);
    // A key the plug-in fed back and no plug-in consumed.
    void FedBack(const ConsoleKey& key);
    // Runs the keys that waited for the plug-in's call to end, oldest first.
    void RunWaiting();
    // Runs `call` (a call into the plug-in), then what waited for it.
    template <class Call>
    auto Calling(Call call);

    HostOptions options_;
    std::unique_ptr<LoadedPlugin> plugin_;
    engine::Editor* editor_ = nullptr;
    Ui* ui_ = nullptr;
    KeyHandler* handler_ = nullptr;
    EngineKeys engineKeys_;
    std::deque<ConsoleKey> waiting_;
};

}  // namespace host
