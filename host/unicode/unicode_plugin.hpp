// A plug-in of the Unicode interface of the 3.x series (UTF-16 text,
// GUIDs, undo brackets), told apart by its export GetGlobalInfoW, checked
// and handed the host's services as the 3.x file manager does. Its keys
// are offered as the 3.x host offers them: with the character in
// UnicodeChar, and the editor acting after the call, a step of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "api/unicode_api.hpp"
#include "host/module_loader.hpp"
#include "host/plugin.hpp"
#include "host/unicode/unicode_editor.hpp"
#include "host/unicode/unicode_services.hpp"

namespace host {

// The version a Unicode plug-in is told and checked against: the 3.x build
// whose behaviour this host follows.
inline constexpr unicode_api::VersionInfo kUnicodeHostVersion{3, 0, 0, 6727,
                                                              unicode_api::VS_RELEASE};

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

class UnicodePlugin final : public LoadedPlugin {
public:
    // Whether the module speaks this interface: it exports GetGlobalInfoW.
    static bool Speaks(const ModuleLibrary& library);
    // Calls GetGlobalInfoW and checks the answer, reads the language and
    // help files beside the module in this interface's encodings, and calls
    // SetStartupInfoW; null, with `why` saying why, for a refused answer.
    static std::unique_ptr<UnicodePlugin> Load(std::unique_ptr<ModuleLibrary> library,
                                               const std::string& path, const HostOptions& options,
                                               std::string& why);
    // Closes the editor (EE_CLOSE) and calls ExitFARW.
    ~UnicodePlugin() override;

    bool TakesUtf8Text() const override { return true; }
    void SetEditor(engine::Editor* editor) override;
    void SetUi(Ui* ui) override { target_.ui = ui; }
    int OfferKey(const KeyInput& input, const EditorAction& editorAction) override;
    std::vector<std::string> EntryTitles(PluginEntries menu) override;
    std::intptr_t RunEntry(PluginEntries menu, int index) override;
    void AnnounceSave(const std::string& fileName) override;
    // OpenW with OPEN_FROMMACRO and the argument as the one string value.
    std::optional<std::intptr_t> CallFromMacro(const std::string& argument) override;

    // The interface's own calls, for tests of the module's entry points.
    const UnicodeExports& Exports() const { return exports_; }
    // What GetGlobalInfoW answered.
    const unicode_api::GlobalInfo& Global() const { return global_; }
    unicode_api::PluginInfo QueryPluginInfo();
    // The configuration menu's entry `item`.
    std::intptr_t Configure(const unicode_api::GUID& item);
    // The plug-in menu's entry `item`, chosen in the editor.
    HANDLE Open(const unicode_api::GUID& item);
    // An editor event (EE_SAVE with its record, EE_REDRAW...) for the current
    // editor. EE_READ and EE_CLOSE are sent as editors come and go.
    void EditorEvent(std::intptr_t event, void* param = nullptr);
    // The editor as the plug-in sees it; null without an editor.
    UnicodeEditor* Editor() const { return editor_.get(); }

private:
    UnicodePlugin() = default;
    // Calls into the plug-in through `call`, with the texts it is handed
    // kept and its undo brackets closed when the outermost call ends.
    template <class Run>
    auto CallPlugin(Run run);
    std::intptr_t Offer(const INPUT_RECORD& record);

    std::unique_ptr<ModuleLibrary> library_;
    UnicodeExports exports_;
    unicode_api::GlobalInfo global_{};
    std::u16string moduleName_;  // what PluginStartupInfo.ModuleName points at
    UnicodeServiceTarget target_;
    std::unique_ptr<UnicodeEditor> editor_;
};

}  // namespace host
