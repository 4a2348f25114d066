#include "host/plugin.hpp"

namespace host {

PluginFiles FindPluginFiles(const std::string& folder, std::string_view language,
                            decltype(&FindLanguageFile) findLanguage,
                            decltype(&FindHelpFile) findHelp) {
    PluginFiles files;
    files.folder = folder;
    std::string problem;
    files.messages = findLanguage(folder, language, &problem);
    if (!problem.empty()) files.warnings += problem + "\n";
    problem.clear();
    files.help = findHelp(folder, language, &problem);
    if (!problem.empty()) files.warnings += problem + "\n";
    return files;
}

void LoadedPlugin::FedBack(engine::Editor& editor, const ConsoleKey& key) const {
    if (fedBack_) {
        fedBack_(key);
        return;
    }
    const engine::Editor::PluginChanges changes(editor);
    HandleKey(editor, key);
}

}  // namespace host
