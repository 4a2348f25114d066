#include "edit/app/command_line.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

std::optional<CommandLine> Parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string ignored;
    return ParseCommandLine(args, error ? error : &ignored);
}

TEST(CommandLine, BatchModeWithEveryOption) {
    auto line = Parse({"--keys", "ab{Enter}", "--at", "3:11", "--codepage=1251", "--plugins", "/p",
                       "--registry", "/r.reg", "reply.msg"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->file, "reply.msg");
    EXPECT_EQ(*line->keys, "ab{Enter}");
    ASSERT_TRUE(line->start);
    EXPECT_FALSE(line->start->end);
    EXPECT_EQ(line->start->line, 3);
    EXPECT_EQ(line->start->column, 11);
    EXPECT_EQ(line->codePage, host::CodePage::Ansi1251);
    EXPECT_EQ(line->pluginFolder, "/p");
    EXPECT_EQ(line->registry, "/r.reg");
    EXPECT_EQ(line->language, "English");
    EXPECT_EQ(Parse({"--language", "Russian", "f"})->language, "Russian");
    EXPECT_FALSE(line->autoIndent);
    EXPECT_TRUE(Parse({"--auto-indent", "f"})->autoIndent);
}

TEST(CommandLine, StartPositions) {
    EXPECT_TRUE(Parse({"--at", "end", "f"})->start->end);
    auto plus = Parse({"+7", "f"});
    EXPECT_EQ(plus->start->line, 7);
    EXPECT_EQ(plus->start->column, 1);
    EXPECT_EQ(Parse({"--at", "4", "f"})->start->column, 1);
    // An empty script is a script: batch mode that changes nothing.
    EXPECT_EQ(*Parse({"--keys", "", "f"})->keys, "");
    // After "--" a name that looks like an option is a file.
    EXPECT_EQ(Parse({"--", "-odd"})->file, "-odd");
}

TEST(CommandLine, BadInputGetsAMessage) {
    struct Case { std::vector<std::string> args; const char* message; };
    const Case cases[] = {
        {{}, "no file given (see --help)"},
        {{"a", "b"}, "more than one file given: a, b"},
        {{"--codepage", "437", "f"}, "unknown code page 437 (expected 866 or 1251)"},
        {{"--codepage"}, "--codepage needs a value: 866 or 1251"},
        {{"--at", "0:1", "f"}, "bad position 0:1 (expected LINE:COL, from 1, or end)"},
        {{"--at", "2:x", "f"}, "bad position 2:x (expected LINE:COL, from 1, or end)"},
        {{"--at", "99999999999:1", "f"}, "bad position 99999999999:1 (expected LINE:COL, from 1, or end)"},
        {{"+0", "f"}, "bad line number: +0 (expected +LINE, from 1)"},
        {{"--frobnicate", "f"}, "unknown option --frobnicate (see --help)"},
        {{"--keys"}, "--keys needs a key script"},
        {{"--plugins=", "f"}, "--plugins needs a folder"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(Parse(c.args, &error));
        EXPECT_EQ(error, c.message);
    }
}

TEST(CommandLine, HelpAndVersionNeedNoFile) {
    EXPECT_TRUE(Parse({"--help"})->help);
    EXPECT_TRUE(Parse({"--version"})->version);
}

TEST(CommandLine, PluginFolderComesFromOptionThenEnvironmentThenBuildTree) {
    EXPECT_EQ(ResolvePluginFolder("/opt", "/env", "/b/edit/marten-edit"), "/opt");
    EXPECT_EQ(ResolvePluginFolder("", "/env", "/b/edit/marten-edit"), "/env");
    EXPECT_EQ(ResolvePluginFolder("", "", "/b/edit/marten-edit"), "/b/edit/../plugins/Marten");
    EXPECT_EQ(ResolvePluginFolder("", nullptr, "marten-edit"), "./../plugins/Marten");
}

}  // namespace
}  // namespace edit
