#include "edit/app/editor_settings.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace edit {
namespace {

TEST(EditorSettings, DefaultsAreTheFileManagersEditors) {
    const engine::EditorOptions options;
    EXPECT_EQ(options.tabSize, 8);
    EXPECT_FALSE(options.persistentBlocks);
    EXPECT_FALSE(options.delRemovesBlocks);
    EXPECT_EQ(options.wordDelimiters, "~!%^&*()+|{}:\"<>?`-=\\[];',./");
}

TEST(EditorSettings, TakesGoodLinesAndNamesEachBadOne) {
    engine::EditorOptions options;
    std::string problems;
    ApplyEditorSettings(
        "# mine\r\n"
        "tab-size = 4\r\n"
        "\n"
        "persistent-blocks=on\n"
        "del-removes-blocks = maybe\n"
        "word-delimiters = .,\n"
        "tab-size = 0\n"
        "tabsize = 3\n"
        "just words\n",
        "/c/editor.conf", options, &problems);
    EXPECT_EQ(options.tabSize, 4);
    EXPECT_TRUE(options.persistentBlocks);
    EXPECT_FALSE(options.delRemovesBlocks);
    EXPECT_EQ(options.wordDelimiters, ".,");
    EXPECT_EQ(problems,
              "/c/editor.conf: line 5: del-removes-blocks must be on or off\n"
              "/c/editor.conf: line 7: tab-size must be a number from 1 to 512\n"
              "/c/editor.conf: line 8: unknown setting \"tabsize\" (expected tab-size, "
              "persistent-blocks, "
              "del-removes-blocks or word-delimiters)\n"
              "/c/editor.conf: line 9: expected NAME = VALUE\n");
}

TEST(EditorSettings, LiveInTheUsersConfigurationFolderAndAreOnlyRead) {
    const char* home = std::getenv("HOME");
    const std::string keptHome = home ? home : "";
    const auto folder =
        std::filesystem::temp_directory_path() / ("marten-settings-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "marten");
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    const std::string path = EditorSettingsPath();
    EXPECT_EQ(path, (folder / "marten" / "editor.conf").string());

    engine::EditorOptions options;
    std::string problems;
    LoadEditorSettings(path, options, &problems);  // missing: the defaults, no complaint
    EXPECT_EQ(problems, "");
    EXPECT_EQ(options.tabSize, 8);

    const std::string text = "tab-size = 2\nbad\n";
    std::ofstream(path, std::ios::binary) << text;
    LoadEditorSettings(path, options, &problems);
    EXPECT_EQ(options.tabSize, 2);
    EXPECT_EQ(problems, path + ": line 2: expected NAME = VALUE\n");
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);  // kept as it was

    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(EditorSettingsPath(), "/home/someone/.config/marten/editor.conf");
    if (home)
        ::setenv("HOME", keptHome.c_str(), 1);
    else
        ::unsetenv("HOME");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace edit
