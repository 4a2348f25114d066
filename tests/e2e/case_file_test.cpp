// The case format: markers, code pages, settings and the messages for
// broken case files; and the diff a failing case prints.
#include "tests/e2e/case_file.hpp"

#include <gtest/gtest.h>

#include "tests/e2e/case_runner.hpp"

namespace e2e {
namespace {

Case Parse(const std::string& text) {
    std::string error;
    auto parsed = ParseCase(text, "t.case", &error);
    EXPECT_TRUE(parsed) << error;
    return parsed ? *parsed : Case{};
}

std::string ErrorOf(const std::string& text) {
    std::string error;
    EXPECT_FALSE(ParseCase(text, "t.case", &error)) << text;
    return error;
}

TEST(CaseFile, ReadsHeadersAndMarkers) {
    const Case c = Parse(
        "# comment\n"
        "file: C:\\Mail\\golded.txt\n"
        "settings: RIndent=20 LIndent=-2 EnableAutoIndent=0 FileMask=\"*.msg, golded.*\"\n"
        "settings: EnableHPChange=5\n"
        "editor: autoindent=1 tabsize=4\n"
        "keys:  {End}x \n"
        "--- before\n"
        " AB> Hello\u2038 world\n"
        "\u2192tab  \u00B6\r\n"
        "--- after\n"
        "x \u00B6\n"
        "--- calls\n"
        "GETINFO GETSTRING\n"
        "SETSTRING\n"
        "--- answer\n"
        "1\n");
    EXPECT_EQ(c.fileName, "C:\\Mail\\golded.txt");
    EXPECT_EQ(c.settings.RIndent, 20);
    EXPECT_EQ(c.settings.LIndent, -2);
    EXPECT_EQ(c.settings.EnableAutoIndent, 0);
    EXPECT_EQ(c.settings.EnableQuote, 1);  // not named: its default
    EXPECT_EQ(c.settings.EnableHPChange, 5);
    EXPECT_EQ(c.settings.FileMask, "*.msg, golded.*");
    EXPECT_TRUE(c.editor.autoIndent);
    EXPECT_EQ(c.editor.tabSize, 4);
    EXPECT_EQ(c.keys, "{End}x");
    EXPECT_EQ(c.before.lines, (std::vector<std::string>{" AB> Hello world", "\ttab  "}));
    EXPECT_EQ(c.before.cursor, (Position{0, 10}));
    EXPECT_EQ(c.after.lines, (std::vector<std::string>{"x "}));
    EXPECT_FALSE(c.after.cursor);
    EXPECT_FALSE(c.module.present);
    EXPECT_EQ(*c.calls, (std::vector<std::string>{"GETINFO", "GETSTRING", "SETSTRING"}));
    EXPECT_EQ(*c.answer, 1);
}

TEST(CaseFile, StoresTextInTheCasesTable) {
    const std::string text = "keys: x\n--- before\n\u041D\u0440\u2038\n--- after\n\u2038\n";
    const Case oem = Parse(text);
    EXPECT_EQ(oem.before.lines[0], "\x8D\xE0");
    EXPECT_EQ(oem.before.cursor, (Position{0, 2}));
    const Case ansi = Parse("table: ansi\n" + text);
    EXPECT_EQ(ansi.before.lines[0], "\xCD\xF0");
    EXPECT_EQ(ansi.after.cursor, (Position{0, 0}));
    const Case koi = Parse("table: koi8r\n" + text);
    EXPECT_EQ(koi.before.lines[0], "\xEE\xD2");
}

// The "table:" header takes every table of the host's list by each of its
// names, as --codepage does.
TEST(CaseFile, TakesEveryTableByEachOfItsNames) {
    for (const engine::CodePageRecord& table : engine::CodePages()) {
        for (const std::string_view name : engine::NamesOf(table)) {
            EXPECT_EQ(
                Parse("table: " + std::string(name) + "\nkeys: x\n--- before\nx\n--- after\nx\n")
                    .table,
                table.page)
                << name;
        }
    }
}

TEST(CaseFile, ACursorBeyondTheEndFollowsTheLineEnd) {
    const Case c = Parse("keys: x\n--- before\nab\u00B6  \u2038\n--- after\n\u00B6   \u2038\n");
    EXPECT_EQ(c.before.lines[0], "ab");
    EXPECT_EQ(c.before.cursor, (Position{0, 4}));
    EXPECT_EQ(c.after.lines[0], "");
    EXPECT_EQ(c.after.cursor, (Position{0, 3}));
}

TEST(CaseFile, CursorHeaderCountsFromOne) {
    const Case c = Parse("keys: x\ncursor: 2:13\n--- before\na\nb\n--- answer\n0\n");
    EXPECT_EQ(c.cursor, (Position{1, 12}));
}

TEST(CaseFile, BrokenFilesNameTheLineAndTheFault) {
    const std::string body = "--- before\nx\n--- after\nx\n";
    const struct {
        std::string text;
        std::string error;
    } broken[] = {
        {"keys: x\nsettings: Margin=3\n" + body, "t.case:2: unknown setting \"Margin\""},
        {"keys: x\nsettings: RIndent=7x\n" + body,
         "t.case:2: setting RIndent: \"7x\" is not a number in range"},
        {"keys: x\nsettings: EnableQuote=256\n" + body,
         "t.case:2: setting EnableQuote: \"256\" is not a number in range"},
        {"keys: x\nsettings: FileMask=\"*.msg\n" + body, "t.case:2: FileMask: no closing '\"'"},
        {"keys: x\ntable: koi8-u\n" + body,
         "t.case:2: table: \"koi8-u\" is none of oem, ansi, koi8r, utf8"},
        {"keys: x\n--- before\na\u00B6b\u2038\n",
         "t.case:3: only blanks and a cursor marker may follow \"\u00B6\" (a cursor beyond the "
         "end of the line)"},
        {"keys: x\nevent: wheel\n" + body,
         "t.case:2: event: \"wheel\" is none of key, mouse, window, menu, focus"},
        {"keys: x\neol: crlf\n" + body, "t.case:2: eol: \"crlf\" is neither check nor last-none"},
        {"keys: x\ncursor: 0:1\n" + body,
         "t.case:2: cursor: \"0:1\" is not LINE:COL counted from 1"},
        {"keys: x\n--- before\n\u2038a\u2038\n", "t.case:3: a second cursor marker in the section"},
        {"keys: x\n--- before\n\u00E9\n--- answer\n0\n",
         "t.case:3: \"\u00E9\" is not in the case's code page (table: oem)"},
        {"keys: x\n--- before\n\xFF\n", "t.case:3: invalid UTF-8"},
        {"keys: x\n--- text\n", "t.case:2: unknown section \"text\""},
        {"keys: x\n--- after\nx\n", "t.case:3: no \"--- before\" section"},
        {body, "t.case:4: no keys: nothing to do"},
        {"keys: x\n--- before\nx\n",
         "t.case:3: nothing to check: no module, after, calls or answer section"},
        {"keys: x\n" + body + "--- answer\n0 1\n",
         "t.case:7: answer: expected one number, got \"0 1\""},
        {"keys: x\nHello\n" + body,
         "t.case:2: expected \"name: value\" or a section \"--- name\", got \"Hello\""},
    };
    for (const auto& b : broken) EXPECT_EQ(ErrorOf(b.text), b.error);
}

TEST(CaseFile, RenderingIsTheParsersInverse) {
    EXPECT_EQ(RenderLine("\tab  ", engine::CodePage::Oem866), "\u2192ab  \u00B6");
    EXPECT_EQ(RenderLine("ab", engine::CodePage::Oem866, 1), "a\u2038b");
    EXPECT_EQ(RenderLine("ab", engine::CodePage::Oem866, 4), "ab\u00B6  \u2038");
    EXPECT_EQ(RenderLine("ab  ", engine::CodePage::Oem866, 4), "ab  \u2038");
    EXPECT_EQ(RenderLine("\x8D", engine::CodePage::Oem866), "\u041D");
    EXPECT_EQ(RenderLine("\xCD", engine::CodePage::Ansi1251), "\u041D");
}

TEST(LineDiff, MarksOnlyTheLinesThatDiffer) {
    EXPECT_EQ(LineDiff({"a", "b", "c"}, {"a", "x", "c", "d"}), " a\n-b\n+x\n c\n+d\n");
    EXPECT_EQ(LineDiff({}, {}), "");
    EXPECT_EQ(LineDiff({"a"}, {}), "-a\n");
}

}  // namespace
}  // namespace e2e
