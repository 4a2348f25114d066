// A plug-in of far2l's wide interface (a `*.far-plug-wide` file: UTF-32
// text, 2.x command numbers, no GUIDs), checked and handed the host's
// services as far2l does. Its keys are offered as far2l offers them (see
// far2l_keys.hpp), and the editor acts after the call, a step of its own.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "api/far2l_api.hpp"
#include "host/far2l/far2l_editor.hpp"
#include "host/module_loader.hpp"
#include "host/plugin.hpp"

namespace host {

// The version far2l 2.8 answers: a plug-in asking for a later one is refused.
inline constexpr int kFar2lHostVersion = far2l_api::MakeFarVersion(2, 8);

struct Far2lExports {
    far2l_api::SetStartupInfoWFn SetStartupInfoW = nullptr;
    far2l_api::GetPluginInfoWFn GetPluginInfoW = nullptr;
    far2l_api::OpenPluginWFn OpenPluginW = nullptr;
    far2l_api::ConfigureWFn ConfigureW = nullptr;
    far2l_api::ProcessEditorInputWFn ProcessEditorInputW = nullptr;
    far2l_api::ProcessEditorEventWFn ProcessEditorEventW = nullptr;
    far2l_api::GetMinFarVersionWFn GetMinFarVersionW = nullptr;
    void (*ExitFARW)() = nullptr;
};

// What the services act on while a call into the plug-in runs.
struct Far2lServiceTarget {
    Far2lEditor* editor = nullptr;
    Ui* ui = nullptr;
    std::vector<std::wstring> messages;                           // GetMsg, in identifier order
    std::map<void*, std::unique_ptr<UnicodeDialogCall>> dialogs;  // by handle
    std::vector<std::wstring> dialogTexts;  // what DM_GETCONSTTEXTPTR answered
};

class Far2lPlugin final : public LoadedPlugin {
public:
    // Whether the file is one of far2l's wide plug-ins: its name ends in
    // .far-plug-wide, as far2l tells them apart.
    static bool Speaks(const std::string& path);
    // Checks GetMinFarVersionW, reads the language and help files beside the
    // module and calls SetStartupInfoW; null, with `why`, when refused.
    static std::unique_ptr<Far2lPlugin> Load(std::unique_ptr<ModuleLibrary> library,
                                             const std::string& path, const HostOptions& options,
                                             std::string& why);
    ~Far2lPlugin() override;

    bool TakesUtf8Text() const override { return true; }
    void SetEditor(engine::Editor* editor) override;
    void SetUi(Ui* ui) override { target_.ui = ui; }
    int OfferKey(const KeyInput& input, const EditorAction& editorAction) override;
    std::vector<std::string> EntryTitles(PluginEntries menu) override;
    std::intptr_t RunEntry(PluginEntries menu, int index) override;
    // far2l's CallPlugin(SysID, "argument"): OpenPluginW from a macro with
    // the string, for a plug-in that names itself by a SysID; unset for one
    // that does not, which no macro can call. 1 when the plug-in was called.
    std::optional<std::intptr_t> CallFromMacro(const std::string& argument) override;
    void AnnounceSave(const std::string& fileName) override;

    const Far2lExports& Exports() const { return exports_; }
    Far2lEditor* Editor() const { return editor_.get(); }

private:
    Far2lPlugin() = default;
    template <class Run>
    auto CallPlugin(Run run);
    int Offer(const INPUT_RECORD& windows);
    void EditorEvent(int event, void* param);
    far2l_api::PluginInfo QueryPluginInfo();

    std::unique_ptr<ModuleLibrary> library_;
    Far2lExports exports_;
    std::wstring moduleName_;
    Far2lServiceTarget target_;
    std::unique_ptr<Far2lEditor> editor_;
};

}  // namespace host
