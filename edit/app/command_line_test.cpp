#include "edit/app/command_line.hpp"

#include <gtest/gtest.h>

#include <cctype>

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
    EXPECT_EQ(line->start->line, engine::LineNumber(3));
    EXPECT_EQ(line->start->column, engine::ColumnNumber(11));
    EXPECT_EQ(line->codePage, engine::CodePage::Ansi1251);
    EXPECT_EQ(line->pluginFolder, "/p");
    EXPECT_EQ(line->registry, "/r.reg");
    EXPECT_EQ(line->language, "English");
    EXPECT_EQ(Parse({"--language", "Russian", "f"})->language, "Russian");
    EXPECT_FALSE(line->autoIndent);
    EXPECT_TRUE(Parse({"--auto-indent", "f"})->autoIndent);
}

TEST(CommandLine, StartPositions) {
    EXPECT_TRUE(Parse({"--at", "end", "f"})->start->end);
    EXPECT_FALSE(Parse({"--at", "9", "f"})->start->clampLine);
    auto plus = Parse({"+7", "f"});
    EXPECT_EQ(plus->start->line, engine::LineNumber(7));
    EXPECT_EQ(plus->start->column, engine::ColumnNumber(1));
    EXPECT_TRUE(plus->start->clampLine);  // past the end: the last line
    // +LINE:COL, and nano's +LINE,COL; a bare + is the end, as in vi.
    for (const char* arg : {"+4:12", "+4,12"}) {
        auto at = Parse({arg, "f"});
        EXPECT_EQ(at->start->line, engine::LineNumber(4)) << arg;
        EXPECT_EQ(at->start->column, engine::ColumnNumber(12)) << arg;
    }
    EXPECT_TRUE(Parse({"+", "f"})->start->end);
    EXPECT_EQ(Parse({"--at", "4", "f"})->start->column, engine::ColumnNumber(1));
    // An empty script is a script: batch mode that changes nothing.
    EXPECT_EQ(*Parse({"--keys", "", "f"})->keys, "");
    // After "--" a name that looks like an option is a file.
    EXPECT_EQ(Parse({"--", "-odd"})->file, "-odd");
}

TEST(CommandLine, BadInputGetsAMessage) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{}, "no file given (see --help)"},
        {{"a", "b"}, "more than one file given: a, b"},
        {{"--codepage", "437", "f"}, "unknown code page 437 (expected 866, 1251, koi8-r or utf-8)"},
        {{"--codepage"}, "--codepage needs a value: 866, 1251, koi8-r or utf-8"},
        {{"--at", "0:1", "f"}, "bad position 0:1 (expected LINE:COL, from 1, or end)"},
        {{"--at", "2:x", "f"}, "bad position 2:x (expected LINE:COL, from 1, or end)"},
        {{"--at", "99999999999:1", "f"},
         "bad position 99999999999:1 (expected LINE:COL, from 1, or end)"},
        {{"+0", "f"}, "bad line number: +0 (expected +LINE or +LINE:COL, from 1)"},
        {{"+3:", "f"}, "bad line number: +3: (expected +LINE or +LINE:COL, from 1)"},
        {{"+end", "f"}, "bad line number: +end (expected +LINE or +LINE:COL, from 1)"},
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

TEST(CommandLine, PluginFolderComesFromOptionThenEnvironmentThenBesideTheExecutable) {
    auto everywhere = [](const std::string&) { return true; };
    auto nowhere = [](const std::string&) { return false; };
    EXPECT_EQ(ResolvePluginFolder("/opt", "/env", "/b/edit/marten-edit", everywhere), "/opt");
    EXPECT_EQ(ResolvePluginFolder("", "/env", "/b/edit/marten-edit", everywhere), "/env");
    // The build tree's folder where there is one, else the installed layout's.
    EXPECT_EQ(ResolvePluginFolder("", "", "/b/edit/marten-edit", everywhere), "/b/plugins/Marten");
    EXPECT_EQ(ResolvePluginFolder("", nullptr, "marten-edit", everywhere), "../plugins/Marten");
    EXPECT_EQ(ResolvePluginFolder("", nullptr, "/usr/bin/marten-edit", nowhere),
              "/usr/lib/marten/plugins/Marten");
    EXPECT_EQ(std::string(kInstalledPluginFolder), "../lib/marten/plugins/Marten");
}

// A folder of either build serves; with both, the 1.x build alone is loaded.
TEST(CommandLine, OneMartenFromAFolderOfEitherBuild) {
    auto only = [](std::string file) { return [file](const std::string& f) { return f == file; }; };
    EXPECT_EQ(MartenModuleIn("/p", only("/p/marten.so")), "/p/marten.so");
    EXPECT_EQ(MartenModuleIn("/p", only("/p/MartenW.so")), "/p/MartenW.so");
    EXPECT_EQ(MartenModuleIn("/p", only("/p/marten.far-plug-wide")), "/p/marten.far-plug-wide");
    EXPECT_EQ(MartenModuleIn("/p", [](const std::string&) { return true; }), "/p/marten.so");
    EXPECT_EQ(MartenModuleIn("/p", [](const std::string&) { return false; }), "/p/marten.so");
}

// Every table of the host's list is taken by each of its names, in either
// case, so a new table needs nothing here.
TEST(CommandLine, EveryTableByEachOfItsNames) {
    for (const engine::CodePageRecord& table : engine::CodePages()) {
        for (const std::string_view name : engine::NamesOf(table)) {
            std::string upper(name);
            for (char& c : upper)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            for (const auto& args : {std::vector<std::string>{"--codepage", std::string(name), "f"},
                                     std::vector<std::string>{"--codepage=" + upper, "f"}}) {
                const auto line = Parse(args);
                ASSERT_TRUE(line) << args[0];
                EXPECT_EQ(line->codePage, table.page) << args[0];
            }
        }
    }
}

}  // namespace
}  // namespace edit
