// The plug-in menus' entries of both builds of Marten: the same titles, and
// the chosen one reaching the build's own entry point.
#include "edit/view/plugin_entries.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "edit/app/command_line.hpp"
#include "host/scripted_ui.hpp"

namespace edit {
namespace {

class PluginEntries : public ::testing::TestWithParam<const char*> {};

TEST_P(PluginEntries, TitlesAndTheEntryPointsTheyReach) {
    host::HostOptions options;
    options.language = "Russian";
    host::Host host(options);
    std::string error;
    const std::string module = MartenModuleIn(
        GetParam(), [](const std::string& file) { return std::filesystem::is_regular_file(file); });
    ASSERT_TRUE(host.LoadModule(module, &error)) << error;
    // The Unicode build's editor menu offers the reflow too.
    std::vector<std::u32string> commands{U"Marten"};
    if (host.Plugin()->TakesUtf8Text()) commands.push_back(U"&Переформатировать абзац");
    EXPECT_EQ(PluginEntryTitles(host, host::PluginEntries::Commands), commands);
    EXPECT_EQ(PluginEntryTitles(host, host::PluginEntries::Settings),
              std::vector<std::u32string>{U"Marten"});

    // The settings entry opens Marten's menu, which the user leaves; an
    // entry past the list opens nothing.
    host::ScriptedUi ui;
    host.SetUi(&ui);
    RunPluginEntry(host, host::PluginEntries::Settings, 0);
    EXPECT_EQ(ui.order, std::vector<char>{'M'});
    RunPluginEntry(host, host::PluginEntries::Settings, 1);
    RunPluginEntry(host, host::PluginEntries::Commands, -1);
    EXPECT_EQ(ui.order, std::vector<char>{'M'});
    host.SetUi(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Marten, PluginEntries,
                         ::testing::Values(MARTEN_PLUGIN_DIR, MARTEN_UNICODE_PLUGIN_DIR));

}  // namespace
}  // namespace edit
