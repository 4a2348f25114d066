// The host of our own: loads the module through the plug-in interface,
// serves it the host's services, and dispatches editor input to it first.
// The services are plain functions, so only one Host exists at a time.
//
// A module of either interface is told apart by its exports: one that
// exports GetGlobalInfoW speaks the Unicode interface of the 3.x series and
// gets its records, UTF-16 lines and services; any other the ANSI interface
// of the 1.x series, exactly as before. With a Unicode plug-in the editor's
// own action on a key is a step of its own, outside what the plug-in did
// (which its ECTL_UNDOREDO brackets make one step), as in the 3.x editor.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "api/ansi_api.hpp"
#include "api/unicode_api.hpp"
#include "engine/editor.hpp"
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

// The version a Unicode plug-in is told and checked against: the 3.x build
// whose behaviour this host follows.
inline constexpr unicode_api::VersionInfo kUnicodeHostVersion{3, 0, 0, 6727,
                                                              unicode_api::VS_RELEASE};

enum class PluginInterface { None, Ansi, Unicode };

// The module's exports, resolved from a loaded module file.
struct ModuleExports {
    SetStartupInfoFn SetStartupInfo = nullptr;
    GetPluginInfoFn GetPluginInfo = nullptr;
    ProcessEditorInputFn ProcessEditorInput = nullptr;
    OpenPluginFn OpenPlugin = nullptr;
    ConfigureFn Configure = nullptr;
    ProcessEditorEventFn ProcessEditorEvent = nullptr;  // optional
};

// The exports of a Unicode plug-in; all but GetGlobalInfoW may be missing.
struct UnicodeExports {
    unicode_api::GetGlobalInfoWFn GetGlobalInfoW = nullptr;
    unicode_api::SetStartupInfoWFn SetStartupInfoW = nullptr;
    unicode_api::GetPluginInfoWFn GetPluginInfoW = nullptr;
    unicode_api::OpenWFn OpenW = nullptr;
    unicode_api::ConfigureWFn ConfigureW = nullptr;
    unicode_api::ProcessEditorInputWFn ProcessEditorInputW = nullptr;
    unicode_api::ProcessEditorEventWFn ProcessEditorEventW = nullptr;
    unicode_api::ExitFARWFn ExitFARW = nullptr;
};

class AnsiEditor;
class UnicodeEditor;

class Host {
public:
    explicit Host(HostOptions options = {});
    ~Host();  // unloads the module
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Loads the module file (marten.so or marten.dll), reads the language and
    // help files beside it and calls SetStartupInfo (a Unicode plug-in:
    // GetGlobalInfoW, checked, then SetStartupInfoW). On failure, `error` says why.
    bool LoadModule(const std::string& modulePath, std::string* error);
    PluginInterface Interface() const;
    const ModuleExports& Exports() const;            // an ANSI plug-in's
    const UnicodeExports& UnicodeExportsOf() const;  // a Unicode plug-in's
    // What a Unicode plug-in's GetGlobalInfoW answered.
    const unicode_api::GlobalInfo& Global() const;
    const std::string& PluginFolder() const;
    // Why a language or help file was not found or could not be read, one
    // line each; empty when both were read.
    const std::string& LoadWarnings() const;
    // The start-up record as the module received it; null before LoadModule.
    const PluginStartupInfo* StartupInfo() const;

    // The editor that EditorControl acts on; the Host does not own it. The
    // records the module feeds back to it go through the module again.
    void SetEditor(engine::Editor* editor);
    engine::Editor* CurrentEditor() const;
    // The current editor as a 1.x plug-in sees it; null otherwise.
    AnsiEditor* CurrentAnsiEditor() const;

    // The menus, dialogs and message boxes; the Host does not own it.
    void SetUi(Ui* ui);

    // One input record: the module first; the editor handles it only when the
    // module answers 0. Returns the module's answer. With an ANSI plug-in
    // everything both change is one undo step of the editor. `typed`
    // goes to the editor's handling of the key (HandleKey): the character in
    // its table that a typed character inserts. A Unicode plug-in gets the record with the
    // character in UnicodeChar.
    int Dispatch(const INPUT_RECORD& record, std::optional<engine::TableChar> typed = std::nullopt);
    // The same for a record with its character in UnicodeChar. A character
    // that the file's code page cannot hold is offered to the plug-in but
    // not typed by the editor.
    int DispatchUnicode(const INPUT_RECORD& record);

    PluginInfo QueryPluginInfo();
    int Configure(int itemNumber);
    HANDLE OpenPlugin(int openFrom, int item);

    // A Unicode plug-in's entry points; each answers 0 (null) without it.
    unicode_api::PluginInfo QueryUnicodePluginInfo();
    // The plug-in configuration menu's entry `item`.
    std::intptr_t ConfigureUnicode(const unicode_api::GUID& item);
    // The plug-in menu's entry `item`, chosen in the editor.
    HANDLE OpenUnicode(const unicode_api::GUID& item);
    // Tells the plug-in that the current editor's text is about to be
    // written to `fileName` (UTF-8, the full name): a 1.x plug-in gets
    // ProcessEditorEvent(EE_SAVE, NULL) when it exports that, a Unicode one
    // EE_SAVE with the name, the file's line end and its code page.
    void AnnounceSave(const std::string& fileName);
    // An editor event (EE_SAVE with its record, EE_REDRAW...) for the current
    // editor. EE_READ and EE_CLOSE the host sends itself as editors come and go.
    void EditorEvent(int event, void* param = nullptr);
    // The current editor as a Unicode plug-in sees it; null otherwise.
    UnicodeEditor* CurrentUnicodeEditor() const;

    const LanguageFile* Messages() const;  // null when no language file was found
    const HelpFile* Help() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace host
