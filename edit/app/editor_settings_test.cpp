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
    FileSettings files;
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
        "/c/editor.conf", options, files, &problems);
    EXPECT_EQ(options.tabSize, 4);
    EXPECT_TRUE(options.persistentBlocks);
    EXPECT_FALSE(options.delRemovesBlocks);
    EXPECT_EQ(options.wordDelimiters, ".,");
    EXPECT_EQ(problems,
              "/c/editor.conf: line 5: del-removes-blocks must be on or off\n"
              "/c/editor.conf: line 7: tab-size must be a number from 1 to 512\n"
              "/c/editor.conf: line 8: unknown setting \"tabsize\" (expected tab-size, "
              "persistent-blocks, del-removes-blocks, word-delimiters or ftn-files)\n"
              "/c/editor.conf: line 9: expected NAME = VALUE\n");
}

// The FTN readers' reply files: masks of names; one with a folder would
// never match, and is refused.
TEST(EditorSettings, FtnFiles) {
    const struct {
        const char* text;
        const char* ftnFiles;
        const char* problems;
    } cases[] = {
        {"", "*.msg,golded.*", ""},
        {"ftn-files = *.msg, *.pkt ; reply.txt", "*.msg, *.pkt ; reply.txt", ""},
        {"ftn-files = Ответ.*", "Ответ.*", ""},
        {"ftn-files =", "", ""},  // no file is a reply file
        {"ftn-files = *.msg, mail/*.txt", "*.msg,golded.*",
         "e.conf: line 1: ftn-files masks match a name without its folders: \"mail/*.txt\"\n"},
        {"ftn-files = \xEE\xD2.msg", "*.msg,golded.*",
         "e.conf: line 1: ftn-files must be UTF-8 text\n"},
    };
    for (const auto& c : cases) {
        engine::EditorOptions options;
        FileSettings files;
        std::string problems;
        ApplyEditorSettings(c.text, "e.conf", options, files, &problems);
        EXPECT_EQ(files.ftnFiles, c.ftnFiles) << c.text;
        EXPECT_EQ(problems, c.problems) << c.text;
    }
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
    FileSettings files;
    std::string problems;
    LoadEditorSettings(path, options, files, &problems);  // missing: the defaults, no complaint
    EXPECT_EQ(problems, "");
    EXPECT_EQ(options.tabSize, 8);

    const std::string text = "tab-size = 2\nbad\nftn-files = *.pkt\n";
    std::ofstream(path, std::ios::binary) << text;
    LoadEditorSettings(path, options, files, &problems);
    EXPECT_EQ(options.tabSize, 2);
    EXPECT_EQ(files.ftnFiles, "*.pkt");
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
