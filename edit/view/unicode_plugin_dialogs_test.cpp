// The Unicode build of Marten's own boxes on the in-memory screen, drawn by
// marten-edit's UI: its settings in Russian, and a file mask with characters
// no 8-bit table of the editor holds, kept by the settings store exactly.
#include <filesystem>

#include "edit/ui/ncurses_ui.hpp"
#include "edit/view/editor_on_grid_test.hpp"
#include "host/host.hpp"

namespace edit {
namespace {

using UnicodePluginDialogs = EditorOnGrid;

TEST_F(UnicodePluginDialogs, RussianSettingsShowAndKeepEveryCharacter) {
    host::HostOptions options;
    options.language = "Russian";
    host::Host host(options);
    std::string error;
    const std::string module = MartenModuleIn(MARTEN_UNICODE_PLUGIN_DIR, [](const std::string& f) {
        return std::filesystem::is_regular_file(f);
    });
    ASSERT_TRUE(host.LoadModule(module, &error)) << error;
    NcursesUi ui(host.Help(), HistoryStore(Path("history")));
    host.SetUi(&ui);
    screen::UseScreen use(grid_);

    Sees("Настройки");
    Sees("О модуле Marten");
    Keys("{Enter}");
    Sees("[x] Продолжать цитаты на Enter, Del, BkSp");
    Sees("Правое поле");
    Sees("Работать в файлах по маскам:");
    Sees("{ OK }");
    Sees("[ Отмена ]");
    // Its help, in UTF-8 too.
    Keys("{F1}");
    Sees("Настройки Marten");
    Sees("Продолжать цитаты на Enter, Del, BkSp");
    Keys("{Esc}");
    // From the first check box: three more, the two numbers, the mask.
    Keys("{Tab}{Tab}{Tab}{Tab}{Tab}{Tab}{Ctrl+y}");
    Type("*.msg,*.ł,*.€");
    Keys("{Enter}");
    Gone("Правое поле");
    // The plug-in shows what it kept the next time.
    Keys("{Enter}");
    Sees("*.msg,*.ł,*.€");
    Keys("{Esc}{Esc}");
    const api3::PluginInfo info = host.QueryPluginInfo3();
    ASSERT_EQ(info.PluginConfig.Count, 1u);
    host.Configure3(info.PluginConfig.Guids[0]);
    host.SetUi(nullptr);

    std::string settings;
    for (const auto& entry : std::filesystem::directory_iterator(Path("settings"))) {
        if (entry.is_regular_file()) settings += Read(entry.path().string());
    }
    EXPECT_NE(settings.find("\"FileMask\"=\"*.msg,*.ł,*.€\""), std::string::npos) << settings;
    EXPECT_EQ(Read(Path("history/unicode/Tansy%5CMarten%5CFileMask")), "*.msg,*.ł,*.€\n");
}

}  // namespace
}  // namespace edit
