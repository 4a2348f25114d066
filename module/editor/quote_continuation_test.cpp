// Quote continuation through a stand-in editor: what each branch writes, and
// the neighbouring lines that do not exist.
#include "module/editor/quote_continuation.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/ansi/ansi_editor.hpp"
#include "tests/support/module_state.hpp"

namespace marten {
namespace {

// The rules at work in the 1.x face's editor.
using namespace ansi;

using testsupport::FakeHost;
using testsupport::InstalledHost;

// Each branch in the 1.x face's editor.
void QuoteEnter() {
    AnsiEditor ed;
    marten::QuoteEnter(ed);
}
void QuoteDelete() {
    AnsiEditor ed;
    marten::QuoteDelete(ed);
}
void QuoteBackspace() {
    AnsiEditor ed;
    marten::QuoteBackspace(ed);
}

// Runs `branch` with the cursor at `line`:`pos`, the cursor information
// fetched first as the dispatch does.
void RunBranch(FakeHost& editor, int line, int pos, void (*branch)()) {
    editor.curLine = line;
    editor.curPos = pos;
    InstalledHost installed(editor);
    RefreshInfo();
    editor.calls.clear();
    branch();
}

TEST(QuoteEnter, InsertsTheTrimmedPrefixAtTheCursor) {
    const struct {
        std::string line;
        int pos;
        std::string after;
    } cases[] = {
        {" AB> Hello world", 10, " AB> HelloAB>  world"},
        {"AB>> text", 6, "AB>> tAB>> ext"},
        {"AB>text", 3, "AB>AB> text"},
        {"\t AB> x y", 8, "\t AB> x AB> y"},
        {" AB> a->b", 8, " AB> a->AB> a-> b"},
        // Not every mark before the cursor, the cursor not on a character,
        // the first mark too far in, no mark at all: the line stays.
        {" AB> a->b", 5, " AB> a->b"},
        {" AB> a->b", 9, " AB> a->b"},
        {" AB> a->b", 20, " AB> a->b"},
        {" ABCDEF> text", 10, " ABCDEF> text"},
        {"plain text", 3, "plain text"},
    };
    for (const auto& c : cases) {
        FakeHost editor;
        editor.lines = {c.line};
        RunBranch(editor, 0, c.pos, QuoteEnter);
        EXPECT_EQ(editor.lines[0], c.after) << c.line << " at " << c.pos;
        EXPECT_EQ(editor.curPos, c.pos) << "the cursor keeps its column";
        // A line that keeps its text is not written.
        const bool written = c.after != c.line;
        EXPECT_EQ(editor.Commands().back(), written ? ECTL_SETSTRING : ECTL_OEMTOEDITOR) << c.line;
    }
}

// Delete at the end of the upper line and Backspace at the start of the
// lower one remove the lower line's prefix when both lines hold a mark, and
// write it back only then.
TEST(QuoteJoins, RemoveThePrefixOfTheLowerLineWhenBothAreQuoted) {
    const struct {
        std::string upper, lower, lowerAfter;
    } cases[] = {
        {" AB> first", " AB> second", "second"},
        {" AB> first", " AB>second", "second"},
        {" AB> first", "AB> x -> y", "y"},
        {" AB> first", "AB>", ""},
        {"x > y", "a > b", "b"},
        {"plain", " AB> second", " AB> second"},
        {" AB> first", "plain", "plain"},
    };
    for (const auto& c : cases) {
        for (const bool del : {true, false}) {
            FakeHost editor;
            editor.lines = {c.upper, c.lower};
            if (del)
                RunBranch(editor, 0, static_cast<int>(c.upper.size()), QuoteDelete);
            else
                RunBranch(editor, 1, 0, QuoteBackspace);
            EXPECT_EQ(editor.lines, (std::vector<std::string>{c.upper, c.lowerAfter})) << del;
            // Delete looks at the length of the cursor's line first.
            std::vector<int> expected{ECTL_GETSTRING, ECTL_GETSTRING, ECTL_EDITORTOOEM,
                                      ECTL_OEMTOEDITOR};
            if (del) expected.insert(expected.begin(), {ECTL_GETINFO, ECTL_GETSTRING});
            if (c.lowerAfter != c.lower) expected.push_back(ECTL_SETSTRING);
            EXPECT_EQ(editor.Commands(), expected) << c.lower << " " << del;
        }
    }
}

TEST(QuoteDelete, DoesNothingBeforeOrBeyondTheEndOrOnTheLastLine) {
    for (int pos : {0, 5, 11, 40}) {
        FakeHost editor;
        editor.lines = {" AB> first", " AB> second"};
        RunBranch(editor, 0, pos, QuoteDelete);
        EXPECT_EQ(editor.lines[1], " AB> second") << pos;
    }
    FakeHost editor;
    editor.lines = {" AB> first", " AB> last"};
    RunBranch(editor, 1, 9, QuoteDelete);
    EXPECT_EQ(editor.lines, (std::vector<std::string>{" AB> first", " AB> last"}));
    for (int command : editor.Commands()) EXPECT_NE(command, ECTL_SETSTRING);
}

TEST(QuoteBackspace, LeavesTheFirstLineAsItIs) {
    FakeHost editor;
    editor.lines = {" AB> first", " AB> second"};
    // A character table that is not a bijection would change a line written back.
    editor.toEditor['f'] = 'F';
    RunBranch(editor, 0, 0, QuoteBackspace);
    EXPECT_EQ(editor.lines, (std::vector<std::string>{" AB> first", " AB> second"}));
    EXPECT_TRUE(editor.Commands().empty());
}

TEST(QuoteContinuation, ExaminesTheEditedLineInTheOemTable) {
    // The editor's table shows '>' as '}' and back; the cursor's line of a
    // Delete is searched as fetched.
    FakeHost editor;
    editor.toOem['}'] = '>';
    editor.toOem['>'] = '}';
    editor.toEditor['>'] = '}';
    editor.toEditor['}'] = '>';
    editor.lines = {" AB> first", " AB} second"};
    RunBranch(editor, 0, 10, QuoteDelete);
    EXPECT_EQ(editor.lines[1], "second");

    editor.lines = {" AB} a}b"};
    RunBranch(editor, 0, 7, QuoteEnter);
    EXPECT_EQ(editor.lines[0], " AB} a}AB} a} b");
}

}  // namespace
}  // namespace marten
