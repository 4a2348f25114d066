// The host of our own: loads the module through the plug-in interface,
// serves it the host's services, and dispatches editor input to it first.
// The services are plain functions, so only one Host exists at a time.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "api/plugin_api.hpp"
#include "host/editor.hpp"
#include "host/language.hpp"
#include "host/ui.hpp"

namespace host {

struct HostOptions {
    std::string rootKey = "Software\\Far\\Plugins";
    std::string language = "English";
    int moduleNumber = 1;
    // StructSize of the PluginStartupInfo handed over; a larger value appends
    // zero bytes, a smaller one leaves the services beyond it out.
    int startupInfoSize = kKnownStartupInfoSize;
};

// The module's exports, resolved from a loaded module file.
struct ModuleExports {
    SetStartupInfoFn SetStartupInfo = nullptr;
    GetPluginInfoFn GetPluginInfo = nullptr;
    ProcessEditorInputFn ProcessEditorInput = nullptr;
    OpenPluginFn OpenPlugin = nullptr;
    ConfigureFn Configure = nullptr;
};

class Host {
public:
    explicit Host(HostOptions options = {});
    ~Host();  // unloads the module
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Loads the module file (marten.so or marten.dll), reads the language and
    // help files beside it and calls SetStartupInfo. On failure, `error` says why.
    bool LoadModule(const std::string& modulePath, std::string* error);
    const ModuleExports& Exports() const;
    const std::string& PluginFolder() const;
    // Why a language or help file was not found or could not be read, one
    // line each; empty when both were read.
    const std::string& LoadWarnings() const;
    // The start-up record as the module received it; null before LoadModule.
    const PluginStartupInfo* StartupInfo() const;

    // The editor that EditorControl acts on; the Host does not own it. The
    // records the module feeds back to it go through the module again.
    void SetEditor(Editor* editor);
    Editor* CurrentEditor() const;

    // The menus, dialogs and message boxes; the Host does not own it.
    void SetUi(Ui* ui);

    // One input record: the module first; the editor handles it only when the
    // module answers 0. Returns the module's answer. Everything both change
    // is one undo step of the editor. `typedByte` goes to the editor's
    // ProcessInput: the byte of its table that a typed character inserts.
    int Dispatch(const INPUT_RECORD& record, std::optional<unsigned char> typedByte = std::nullopt);

    PluginInfo QueryPluginInfo();
    int Configure(int itemNumber);
    HANDLE OpenPlugin(int openFrom, int item);

    const LanguageFile* Messages() const;  // null when no language file was found
    const HelpFile* Help() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace host
