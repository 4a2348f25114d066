// The reflow command applied to an editor: the text it leaves, the undo
// bracket around all of it, the lines' own ends of line, and the cursor.
#include "module/editor/reflow_command.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace marten {
namespace {

// An editor that keeps each line with its end of line and counts brackets.
class FakeEditor {
public:
    using Char = char;
    struct Line {
        std::string text;
        std::string eol;
    };

    explicit FakeEditor(const std::vector<std::string>& text) {
        for (const std::string& line : text) lines.push_back({line, "\n"});
        lines.back().eol.clear();
    }

    std::int64_t LineCount() const { return static_cast<std::int64_t>(lines.size()); }
    std::int64_t CurLine() const { return curLine; }
    std::optional<LineRange> MarkedLines() const { return block; }
    std::string_view ViewLine(std::int64_t n) const { return lines.at(Index(n)).text; }
    void ReplaceLine(std::int64_t n, std::string_view text) {
        Change();
        if (failOnReplace) throw std::runtime_error("no memory");
        lines.at(Index(n)).text.assign(text);
        ++replaced;
    }
    void InsertLineBefore(std::int64_t n) {
        Change();
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(Index(n)), Line{"", "\n"});
    }
    void DeleteLine(std::int64_t n) {
        Change();
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(Index(n)));
    }
    void SetCursor(std::int64_t line, std::int64_t column) {
        curLine = line;
        curPos = column;
    }
    void CloseBracket() {
        if (open) ++closed;
        open = false;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Line& line : lines) texts.push_back(line.text + line.eol);
        return texts;
    }

    std::vector<Line> lines;
    std::int64_t curLine = 0;
    std::int64_t curPos = 0;
    std::optional<LineRange> block;
    bool open = false;
    int opened = 0;
    int closed = 0;
    int replaced = 0;
    bool failOnReplace = false;

private:
    static std::size_t Index(std::int64_t n) { return static_cast<std::size_t>(n); }
    void Change() {
        if (!open) ++opened;
        open = true;
    }
};

constexpr std::int64_t kMargin = 30;

TEST(ReflowInEditor, BlockGrowsAndShrinksParagraphsInOneBracket) {
    FakeEditor ed({" AB> one two three four five six seven eight nine ten", "", " AB> aa",
                   " AB> bb", " AB> cc"});
    ed.block = LineRange{0, 4};
    const ReflowOutcome outcome = RunReflowCommand(ed, kMargin, false);
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(outcome.leftNarrow, 0u);
    // The text's last line still has no end of line.
    EXPECT_EQ(ed.Texts(),
              (std::vector<std::string>{" AB> one two three four five\n",
                                        " AB> six seven eight nine ten\n", "\n", " AB> aa bb cc"}));
    EXPECT_EQ(ed.opened, 1);
    EXPECT_EQ(ed.closed, 1);
    EXPECT_FALSE(ed.open);
    // The text ends with the paragraph: the cursor stands at its end.
    EXPECT_EQ(ed.curLine, 3);
    EXPECT_EQ(ed.curPos, 13);
}

TEST(ReflowInEditor, LinesLeftAsTheyWereAreNotWrittenAgain) {
    // The first line stays; the second and third join.
    FakeEditor ed({"one two three four five six", "seven", "eight", "", "next"});
    RunReflowCommand(ed, kMargin, false);
    EXPECT_EQ(ed.Texts(), (std::vector<std::string>{"one two three four five six\n",
                                                    "seven eight\n", "\n", "next"}));
    EXPECT_EQ(ed.replaced, 1);
    EXPECT_EQ(ed.curLine, 2);
    EXPECT_EQ(ed.curPos, 0);
}

TEST(ReflowInEditor, NothingToChangeOpensNoBracketAndWalksOn) {
    FakeEditor ed({" AB> short line", "", " AB> next"});
    const ReflowOutcome outcome = RunReflowCommand(ed, kMargin, false);
    EXPECT_FALSE(outcome.changed);
    EXPECT_EQ(ed.opened, 0);
    EXPECT_EQ(ed.closed, 0);
    EXPECT_EQ(ed.curLine, 1);
}

TEST(ReflowInEditor, NarrowParagraphsAreCountedAndTheOthersReflowed) {
    // RIndent 0 means 78; the chain's prefix leaves fewer than 20 columns.
    const std::string chain = " AAAAAAAAAA> BBBBBBBBBB> CCCCCCCCCC> DDDDDDDDDD> EEEEEEEEEE> ";
    FakeEditor ed({chain + "x", chain + "y", "", "a", "b"});
    ed.block = LineRange{0, 4};
    const ReflowOutcome outcome = RunReflowCommand(ed, 0, true);
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(outcome.leftNarrow, 1u);
    EXPECT_EQ(ed.Texts(), (std::vector<std::string>{chain + "x\n", chain + "y\n", "\n", "a b"}));
}

TEST(ReflowInEditor, AFailedChangeStillClosesTheBracket) {
    FakeEditor ed({"a", "b"});
    ed.failOnReplace = true;
    EXPECT_THROW(RunReflowCommand(ed, kMargin, false), std::runtime_error);
    EXPECT_EQ(ed.opened, 1);
    EXPECT_EQ(ed.closed, 1);
}

}  // namespace
}  // namespace marten
