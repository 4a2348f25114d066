// The reflow command in marten-edit with the Unicode build: Alt+B in a
// quoted paragraph of a file in each table the editor reads, and one Ctrl+Z
// giving the file back as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/edit/edit_run.hpp"

namespace {

using namespace edit_e2e;

// `utf8` in the character table `iconvName`, through iconv.
std::string Encoded(const ScratchFolder& scratch, const std::string& utf8,
                    const std::string& iconvName) {
    const std::string from = scratch.Path("utf8.txt"), to = scratch.Path("encoded.txt");
    WriteFile(from, utf8);
    const std::string command =
        "iconv -f UTF-8 -t " + iconvName + " " + Quote(from) + " > " + Quote(to);
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return ReadFile(to);
}

const std::string kBefore =
    " ИП> Съешь же ещё этих мягких французских булок да выпей чаю, съешь же ещё этих мягких "
    "французских булок\r\n"
    " ИП> да выпей чаю\r\n"
    "\r\n";
// At the default margin of 78; a letter is one column in every table.
const std::string kAfter =
    " ИП> Съешь же ещё этих мягких французских булок да выпей чаю, съешь же ещё\r\n"
    " ИП> этих мягких французских булок да выпей чаю\r\n"
    "\r\n";

TEST(BatchReflow, AltBReflowsInEachTableAndCtrlZUndoesIt) {
    struct Table {
        const char* codepage;  // as --codepage names it
        const char* iconvName;
    };
    const Table tables[] = {
        {"866", "CP866"}, {"koi8-r", "KOI8-R"}, {"1251", "CP1251"}, {"utf-8", "UTF-8"}};
    for (const Table& table : tables) {
        ScratchFolder scratch(std::string("reflow-") + table.codepage);
        const std::string before = Encoded(scratch, kBefore, table.iconvName);
        const std::string after = Encoded(scratch, kAfter, table.iconvName);
        const std::string file = scratch.Path("reply.msg");
        WriteFile(file, before);
        RunResult run = RunEdit(scratch, {"--plugins", MARTEN_UNICODE_PLUGIN_DIR, "--codepage",
                                          table.codepage, "--keys", "{Alt+b}", file});
        EXPECT_EQ(run.status, 0) << table.codepage << ": " << run.err;
        EXPECT_EQ(ReadFile(file), after) << table.codepage;

        WriteFile(file, before);
        run = RunEdit(scratch, {"--plugins", MARTEN_UNICODE_PLUGIN_DIR, "--codepage",
                                table.codepage, "--keys", "{Alt+b}{Ctrl+z}", file});
        EXPECT_EQ(run.status, 0) << table.codepage << ": " << run.err;
        EXPECT_EQ(ReadFile(file), before) << table.codepage;
    }
}

// The 1.x build has no reflow: Alt+B changes nothing.
TEST(BatchReflow, The1xBuildLeavesTheTextAsItIs) {
    auto [scratch, file] = ScratchFile("reflow-1x", "reply.msg", " AB> one\r\n AB> two\r\n");
    const RunResult run =
        RunEdit(scratch, {"--plugins", MARTEN_PLUGIN_DIR, "--keys", "{Alt+b}", file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(file), " AB> one\r\n AB> two\r\n");
}

}  // namespace
