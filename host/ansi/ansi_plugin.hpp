// A plug-in of the 1.x interface (ANSI, OEM text), loaded by its exports
// and handed the host's services, as the 1.x file manager does. Its keys
// are offered as the 1.x host offers them: the plug-in and then the editor
// on the same record, their changes one undo step.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "api/ansi_api.hpp"
#include "host/ansi/ansi_editor.hpp"
#include "host/ansi/ansi_services.hpp"
#include "host/module_loader.hpp"
#include "host/plugin.hpp"

namespace host {

// The module's exports, resolved from a loaded module file.
struct AnsiExports {
    SetStartupInfoFn SetStartupInfo = nullptr;
    GetPluginInfoFn GetPluginInfo = nullptr;
    ProcessEditorInputFn ProcessEditorInput = nullptr;
    OpenPluginFn OpenPlugin = nullptr;
    ConfigureFn Configure = nullptr;
    ProcessEditorEventFn ProcessEditorEvent = nullptr;  // optional
};

class AnsiPlugin final : public LoadedPlugin {
public:
    // Takes a module that exports the five entry points of the 1.x
    // interface, reads the language and help files beside it and calls
    // SetStartupInfo; null, with `why` saying why, for one that lacks one.
    static std::unique_ptr<AnsiPlugin> Load(std::unique_ptr<ModuleLibrary> library,
                                            const std::string& path, const HostOptions& options,
                                            std::string& why);
    ~AnsiPlugin() override;

    bool TakesUtf8Text() const override { return false; }
    void SetEditor(engine::Editor* editor) override;
    void SetUi(Ui* ui) override { target_.ui = ui; }
    int OfferKey(const KeyInput& input, const EditorAction& editorAction) override;
    std::vector<std::string> EntryTitles(PluginEntries menu) override;
    std::intptr_t RunEntry(PluginEntries menu, int index) override;
    std::intptr_t Configure(int index) override;
    void AnnounceSave(const std::string& fileName) override;

    // The interface's own calls, for tests of the module's entry points.
    const AnsiExports& Exports() const { return exports_; }
    // The start-up record as the module received it.
    const PluginStartupInfo* StartupInfo() const;
    PluginInfo QueryPluginInfo();
    HANDLE OpenPlugin(int openFrom, int item);
    // The editor as the plug-in sees it, with its log of commands; null
    // without an editor.
    AnsiEditor* Editor() const { return editor_.get(); }

private:
    AnsiPlugin() = default;
    // Makes this plug-in the one the services act on.
    void Serve() { SetAnsiServiceTarget(&target_); }
    int Offer(const INPUT_RECORD& record);

    std::unique_ptr<ModuleLibrary> library_;
    AnsiExports exports_;
    // The start-up record as handed over: max(StructSize, the full record)
    // bytes, kept for the module's lifetime like the real host's.
    std::vector<std::uint64_t> startupInfo_;
    AnsiServiceTarget target_;
    std::unique_ptr<AnsiEditor> editor_;
};

}  // namespace host
