// The parts of search, replace and go-to that need no screen.
#include "edit/app/search_session.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

using Choice = ReplaceChoice;

engine::TypedPosition Typed(int line, int column) {
    return {engine::LineNumber(line), engine::ColumnNumber(column)};
}

TEST(SearchSession, TextIsPutIntoTheFilesTableOrTheMissingCharactersNamed) {
    const struct {
        engine::CodePage table;
        std::u32string text;
        std::optional<std::string> bytes;
        std::u32string missing;
    } cases[] = {
        {engine::CodePage::Oem866, U"Нр x", "\x8D\xE0 x", U""},
        {engine::CodePage::Ansi1251, U"«Нр»", "\xAB\xCD\xF0\xBB", U""},
        {engine::CodePage::Koi8r, U"ёж", "\xA3\xD6", U""},
        {engine::CodePage::Oem866, U"a€b«€", std::nullopt, U"€«"},  // each character named once
        {engine::CodePage::Ansi1251, U"╔═╗", std::nullopt, U"╔═╗"},
    };
    for (const auto& c : cases) {
        std::u32string missing = U"stale";
        EXPECT_EQ(TextInTable(c.table, c.text, &missing), c.bytes);
        EXPECT_EQ(missing, c.missing);
    }
}

TEST(SearchSession, OptionsFollowTheRequestAndAltF7TurnsTheDirection) {
    SearchRequest request;
    request.matchCase = true;
    request.reverse = true;
    engine::SearchOptions options = OptionsOf(request, true);
    EXPECT_TRUE(options.matchCase);
    EXPECT_FALSE(options.wholeWords);
    EXPECT_TRUE(options.reverse);
    EXPECT_TRUE(options.next);
    EXPECT_FALSE(OptionsOf(request, false, true).reverse);
    request.reverse = false;
    EXPECT_TRUE(OptionsOf(request, false, true).reverse);
}

TEST(SearchSession, GoToTakesALineOrALineAndColumnFromOne) {
    const struct {
        std::u32string text;
        std::optional<engine::TypedPosition> target;
    } cases[] = {
        {U"12", Typed(12, 1)},   {U" 12:5 ", Typed(12, 5)},
        {U"12,5", Typed(12, 5)}, {U"12 : 5", Typed(12, 5)},
        {U"", std::nullopt},     {U"0", std::nullopt},
        {U"3:0", std::nullopt},  {U"12:", std::nullopt},
        {U":5", Typed(7, 5)},  // on the current line
        {U" , 5", Typed(7, 5)},  {U":", std::nullopt},
        {U"-3", std::nullopt},   {U"+3", std::nullopt},
        {U"1.5", std::nullopt},  {U"12:5:6", std::nullopt},
        {U"abc", std::nullopt},  {U"99999999999", std::nullopt},  // more than a line number can be
        {U"١٢", std::nullopt},                                    // digits of another script
    };
    for (const auto& c : cases) EXPECT_EQ(ParseGoTo(c.text, engine::LineNumber(7)), c.target);

    engine::Editor editor("a.msg", "one\ntwo\nthree\n");
    editor.SelectAll();
    JumpTo(editor, Typed(2, 3));
    EXPECT_EQ(editor.CurLine(), 1);
    EXPECT_EQ(editor.CurPos(), 2);
    EXPECT_FALSE(editor.Selection());
    JumpTo(editor, Typed(40, 9));  // past the end: the last line, which is empty
    EXPECT_EQ(editor.CurLine(), 3);
    EXPECT_EQ(editor.CurPos(), 8);
}

// Answers the loop's questions from a list, recording where each match stood.
struct Answers {
    engine::Editor& editor;
    std::vector<Choice> choices;
    std::vector<engine::TextPosition> asked;
    std::size_t next = 0;
    Choice operator()() {
        EXPECT_TRUE(editor.Selection()) << "a match is shown selected";
        asked.push_back({editor.CurLine(), editor.CurPos()});
        return next < choices.size() ? choices[next++] : Choice::Cancel;
    }
};

ReplaceOutcome Replace(engine::Editor& editor, std::string_view query, std::string_view replacement,
                       engine::SearchOptions options, Answers& answers) {
    return ReplaceMatches(editor, query, replacement, options, std::ref(answers));
}

TEST(SearchSession, ReplaceSkipAndAllAsTheUserAnswers) {
    engine::Editor editor("a.msg", "cat cat\ncat dog Cat\nend cat");
    Answers answers{editor, {Choice::Replace, Choice::Skip, Choice::All}};
    ReplaceOutcome outcome = Replace(editor, "cat", "cow", {}, answers);
    EXPECT_EQ(editor.Bytes(), "cow cat\ncow dog cow\nend cow");
    EXPECT_EQ(outcome.found, 3);
    EXPECT_EQ(outcome.replaced, 4);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(answers.asked, (std::vector<engine::TextPosition>{{0, 0}, {0, 4}, {1, 0}}));
    EXPECT_FALSE(editor.Selection());
    // All was one step; the Replace before it is one of its own.
    ASSERT_TRUE(editor.Undo());
    EXPECT_EQ(editor.Bytes(), "cow cat\ncat dog Cat\nend cat");
    ASSERT_TRUE(editor.Undo());
    EXPECT_EQ(editor.Bytes(), "cat cat\ncat dog Cat\nend cat");
}

TEST(SearchSession, CancelLeavesTheMatchSelectedAndTheRestAsItWas) {
    engine::Editor editor("a.msg", "a cat\ncat");
    Answers answers{editor, {Choice::Skip, Choice::Cancel}};
    ReplaceOutcome outcome = Replace(editor, "cat", "cow", {.matchCase = true}, answers);
    EXPECT_EQ(editor.Bytes(), "a cat\ncat");
    EXPECT_EQ(outcome.found, 2);
    EXPECT_EQ(outcome.replaced, 0);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(editor.Selection(), (engine::Block{{1, 0}, {1, 3}}));
    EXPECT_FALSE(editor.Modified());
}

TEST(SearchSession, ReverseReplacingGoesUpAndAllTakesTheMatchShown) {
    engine::Editor editor("a.msg", "ab ab\nab ab");
    editor.SetCursor(1, 5);
    Answers answers{editor, {Choice::Replace, Choice::Skip, Choice::All}};
    ReplaceOutcome outcome = Replace(editor, "ab", "xyz", {.reverse = true}, answers);
    EXPECT_EQ(editor.Bytes(), "xyz xyz\nab xyz");
    EXPECT_EQ(answers.asked, (std::vector<engine::TextPosition>{{1, 3}, {1, 0}, {0, 3}}));
    EXPECT_EQ(outcome.replaced, 3);
}

TEST(SearchSession, AReplacementHoldingTheQueryIsNotFoundAgain) {
    engine::Editor editor("a.msg", "a-a\na");
    Answers answers{editor, std::vector<Choice>(10, Choice::Replace)};
    ReplaceOutcome outcome = Replace(editor, "a", "aa", {}, answers);
    EXPECT_EQ(editor.Bytes(), "aa-aa\naa");
    EXPECT_EQ(outcome.found, 3);
    EXPECT_EQ(outcome.replaced, 3);
    // Nothing found at all: nothing asked.
    Answers none{editor, {}};
    EXPECT_EQ(Replace(editor, "zzz", "y", {}, none).found, 0);
    EXPECT_TRUE(none.asked.empty());
}

TEST(SearchSession, MessagesSayWhatHappened) {
    EXPECT_EQ(NotFoundLines(U"кот"),
              (std::vector<std::u32string>{U"Could not find the string", U"\"кот\""}));
    EXPECT_EQ(NotInTableLines(U"the text to find", U"€«", engine::CodePage::Oem866),
              (std::vector<std::u32string>{U"The 866 table has no place for \"€«\",",
                                           U"so the text to find cannot be in this file."}));
    EXPECT_EQ(NotInTableLines(U"the replacement", U"╔", engine::CodePage::Koi8r)[0],
              U"The KOI8-R table has no place for \"╔\",");
    EXPECT_EQ(ReplacedLine(1), U"1 occurrence replaced");
    EXPECT_EQ(ReplacedLine(12), U"12 occurrences replaced");
    EXPECT_EQ(NotAPositionLines(U"12x"),
              (std::vector<std::u32string>{U"\"12x\" is not a position.",
                                           U"Type a line number, or line:column (from 1)."}));
}

}  // namespace
}  // namespace edit
