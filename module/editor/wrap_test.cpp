// The wrap through a stand-in editor: the order of the editor commands, the
// settings that would make a literal wrap run forever or exhaust memory, and
// properties over many generated lines and settings.
#include "module/editor/wrap.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "module/ansi/ansi_editor.hpp"
#include "module/settings/settings.hpp"
#include "tests/support/module_state.hpp"

namespace marten {
namespace {

// The rules at work in the 1.x face's editor.
using namespace ansi;

using testsupport::FakeHost;
using testsupport::InstalledHost;

// The wrap of the cursor's line, in the 1.x face's editor.
void WrapCurrentLine() {
    AnsiEditor ed;
    marten::WrapCurrentLine(ed);
}

struct WrapSettings {
    int rIndent = 20;
    int lIndent = 0;
    bool autoIndent = false;
};

// A character typed at the end of the single line `text`, as far as the
// module's wrap goes.
void WrapLine(FakeHost& editor, const std::string& text, WrapSettings s) {
    InstalledHost installed(editor);
    Settings.EnableAutoIndent = s.autoIndent ? 1 : 0;
    Settings.RIndent = s.rIndent;
    Settings.LIndent = s.lIndent;
    editor.lines = {text};
    editor.curLine = 0;
    editor.curPos = static_cast<int>(text.size());
    RefreshInfo();
    editor.calls.clear();
    WrapCurrentLine();
}

TEST(WrapCurrentLine, WritesEachLineThenBreaksAndRepaintsOnceAtTheEnd) {
    FakeHost editor;
    WrapLine(editor, "The quick brown fox jumps over the lazy dog", {20, 2, true});
    EXPECT_EQ(editor.lines,
              (std::vector<std::string>{"The quick brown fox", "jumps over the lazy", "dog"}));
    // The auto-indent column of the editor (0 here) wins over LIndent. The
    // line is converted once to be examined (and the rule characters back,
    // to learn the editor's bytes for them); the lines go out unconverted.
    EXPECT_EQ(editor.Commands(),
              (std::vector<int>{ECTL_GETSTRING, ECTL_EDITORTOOEM, ECTL_OEMTOEDITOR,   //
                                ECTL_SETSTRING, ECTL_SETPOSITION, ECTL_INSERTSTRING,  //
                                ECTL_GETINFO, ECTL_SETSTRING,                         //
                                ECTL_SETPOSITION, ECTL_INSERTSTRING,                  //
                                ECTL_GETINFO, ECTL_SETSTRING,                         //
                                ECTL_SETPOSITION, ECTL_REDRAW}));
    EXPECT_EQ(editor.curLine, 2);
    EXPECT_EQ(editor.curPos, 3);
}

TEST(WrapCurrentLine, TriggersOnlyAtTheEndOfALineLongerThanTheMargin) {
    FakeHost editor;
    WrapLine(editor, std::string(20, 'a'), {20});
    EXPECT_EQ(editor.lines, std::vector<std::string>{std::string(20, 'a')});
    EXPECT_EQ(editor.Commands(), std::vector<int>{ECTL_GETSTRING});

    editor.lines = {"aaaa bbbb cccc dddd eeee"};
    editor.curPos = 3;  // inside the line
    {
        InstalledHost installed(editor);
        Settings.RIndent = 20;
        RefreshInfo();
        WrapCurrentLine();
        editor.curPos = 30;  // beyond its end
        RefreshInfo();
        WrapCurrentLine();
    }
    EXPECT_EQ(editor.lines, std::vector<std::string>{"aaaa bbbb cccc dddd eeee"});
}

TEST(WrapCurrentLine, AMarginBelowOneTurnsTheWrapOff) {
    for (int margin : {0, -1, -2147483647 - 1}) {
        FakeHost editor;
        WrapLine(editor, "a b c d e f", {margin});
        EXPECT_EQ(editor.lines, std::vector<std::string>{"a b c d e f"}) << margin;
        EXPECT_TRUE(editor.Commands().empty()) << margin;
    }
}

TEST(WrapCurrentLine, AnIndentThatFillsTheLineIsCutToLeaveRoom) {
    FakeHost editor;
    WrapLine(editor, "aaaa bbbb cccc dddd eeee ffff gggg", {10, 2000000000, false});
    ASSERT_FALSE(editor.insertLimitHit);
    ASSERT_GE(editor.lines.size(), 2u);
    for (std::size_t i = 1; i + 1 < editor.lines.size(); ++i) {
        EXPECT_EQ(editor.lines[i].size(), 10u) << i;
        EXPECT_EQ(editor.lines[i].substr(0, 9), std::string(9, ' ')) << i;
    }

    // The same for a far auto-indent column.
    FakeHost far;
    far.autoIndentColumn = 1 << 30;
    WrapLine(far, "aaaa bbbb cccc dddd eeee ffff gggg", {10, 0, true});
    ASSERT_FALSE(far.insertLimitHit);
    for (const std::string& line : far.lines) EXPECT_LT(line.size(), 40u);
}

TEST(WrapCurrentLine, EndsWhenOnlyBlanksStandBeforeALongWord) {
    const struct {
        std::string text;
        WrapSettings settings;
        std::vector<std::string> lines;
    } cases[] = {
        // An indent followed by a word longer than the room left: cut at the margin.
        {"ab " + std::string(30, 'x'),
         {10, 4, false},
         {"ab", "    xxxxxx", "    xxxxxx", "    xxxxxx", "    xxxxxx", "    xxxxxx"}},
        // A TAB in front of a long word behind a prefix.
        {"AB> ab\t" + std::string(20, 'x'),
         {12, 0, false},
         {"AB> ab", "AB> \txxxxxxx", "AB> xxxxxxxx", "AB> xxxxx"}},
        // Leading blanks that alone reach the margin are dropped.
        {std::string(12, ' ') + "abc def ghi", {10, 0, false}, {"abc def", "ghi"}},
        // Blanks only: nothing to place, and nothing runs forever.
        {"abc" + std::string(30, '\t'), {10, 0, false}, {"abc", std::string(30, '\t')}},
    };
    for (const auto& c : cases) {
        FakeHost editor;
        editor.insertLimit = 100;
        WrapLine(editor, c.text, c.settings);
        EXPECT_FALSE(editor.insertLimitHit) << c.text;
        EXPECT_EQ(editor.lines, c.lines) << c.text;
    }
}

// ---------------------------------------------------------------------------
// Properties over generated lines

std::string NonBlanks(std::string_view text) {
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t') kept += c;
    }
    return kept;
}

bool HasNonBlank(std::string_view text) { return text.find_first_not_of(" \t") != text.npos; }

struct GeneratedLine {
    std::string text;
    WrapSettings settings;
    int autoIndentColumn;
};

GeneratedLine Generate(std::mt19937& random) {
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    GeneratedLine g;
    const int kind = pick(10);
    g.settings.rIndent = kind == 0 ? 1 + pick(6) : kind == 1 ? 200 + pick(100) : 7 + pick(70);
    g.settings.lIndent = pick(8) == 0 ? 2000000000 : pick(12) - 2;
    g.settings.autoIndent = pick(2) == 0;
    g.autoIndentColumn = pick(6) == 0 ? 1 << 20 : -1;

    static const char* const prefixes[] = {"",    "",    " AB> ",      "AB>> ", "\tXY> ",
                                           " > ", "AB>", "ABCDEFGH> ", "   "};
    g.text = prefixes[pick(9)];
    const int target = g.settings.rIndent + 1 + pick(3 * g.settings.rIndent + 40);
    while (static_cast<int>(g.text.size()) < target) {
        const int word = pick(20) == 0 ? 1 + pick(150) : 1 + pick(12);
        for (int i = 0; i < word; ++i)
            g.text += static_cast<char>(pick(8) == 0 ? '>' : 'a' + pick(26));
        const int gap = pick(10) == 0 ? pick(6) : 1;
        for (int i = 0; i < gap; ++i) g.text += pick(5) == 0 ? '\t' : ' ';
    }
    return g;
}

TEST(WrapCurrentLine, PlacesEveryCharacterOnceInOrderOverGeneratedLines) {
    std::mt19937 random(0x6d617274);
    for (int round = 0; round < 4000; ++round) {
        const GeneratedLine g = Generate(random);
        SCOPED_TRACE("line \"" + g.text + "\" RIndent " + std::to_string(g.settings.rIndent) +
                     " LIndent " + std::to_string(g.settings.lIndent) + " auto " +
                     std::to_string(g.settings.autoIndent) + " column " +
                     std::to_string(g.autoIndentColumn));
        FakeHost editor;
        editor.insertLimit = 10000;
        editor.autoIndentColumn = g.autoIndentColumn;
        WrapLine(editor, g.text, g.settings);
        ASSERT_FALSE(editor.insertLimitHit);

        // The prefix the lines carry, if any, and the text behind it.
        const std::string& prefix =
            std::string(EditState.QuotePrefix.data(), EditState.QuotePrefix.size());
        const std::vector<std::string>& lines = editor.lines;
        ASSERT_FALSE(lines.empty());
        std::string placed;
        std::vector<std::string> bodies;
        for (const std::string& line : lines) {
            ASSERT_EQ(line.compare(0, prefix.size(), prefix), 0) << line;
            bodies.push_back(line.substr(prefix.size()));
            placed += NonBlanks(bodies.back());
        }
        const std::string original = NonBlanks(g.text);
        if (prefix.empty()) {
            ASSERT_EQ(placed, original);
        } else {
            // The line's own prefix is placed once, at its start.
            ASSERT_EQ(NonBlanks(prefix) + placed, original);
        }

        bool laterText = false;
        for (std::size_t i = lines.size(); i-- > 0;) {
            if (i + 1 < lines.size()) {
                ASSERT_LE(static_cast<int>(lines[i].size()), g.settings.rIndent) << i;
            }
            if (laterText) {
                ASSERT_TRUE(HasNonBlank(bodies[i])) << "blank line " << i;
            }
            laterText = laterText || HasNonBlank(bodies[i]);
        }
        ASSERT_EQ(editor.curLine, static_cast<int>(lines.size()) - 1);
        ASSERT_EQ(editor.curPos, static_cast<int>(lines.back().size()));
        ASSERT_EQ(editor.Commands().back(), ECTL_REDRAW);
    }
}

}  // namespace
}  // namespace marten
