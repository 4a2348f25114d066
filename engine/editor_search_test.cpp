#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/editor.hpp"
#include "engine/engine_testing.hpp"

namespace engine {
namespace {

using test_helpers::Texts;

constexpr CodePage kTables[] = {CodePage::Oem866, CodePage::Ansi1251, CodePage::Koi8r};

// Where the matches are, found one after another as Shift+F7 (or Alt+F7) finds them.
std::vector<TextPosition> FindAll(Editor& e, const std::string& query, SearchOptions options) {
    std::vector<TextPosition> found;
    options.next = false;
    while (e.Find(query, options)) {
        found.push_back({e.CurLine(), e.CurPos()});
        options.next = true;
        if (found.size() > 20) break;
    }
    return found;
}

const char* const kText =
    "Один один ОДИН ёЖ\n"
    "одинокий Один\n"
    "foo_один один.";

TEST(EditorSearch, FindsWithCaseFoldedInEachTableAndWholeWords) {
    const struct {
        const char* query;
        SearchOptions options;
        std::vector<TextPosition> forward;
    } cases[] = {
        {"ОДИН", {}, {{0, 0}, {0, 5}, {0, 10}, {1, 0}, {1, 9}, {2, 4}, {2, 9}}},
        {"один", {.matchCase = true}, {{0, 5}, {1, 0}, {2, 4}, {2, 9}}},
        {"один",
         {.wholeWords = true},
         {{0, 0}, {0, 5}, {0, 10}, {1, 9}, {2, 9}}},  // '_' is part of a word
        {"Один", {.matchCase = true, .wholeWords = true}, {{0, 0}, {1, 9}}},
        {"ЁЖ", {}, {{0, 15}}},
        {"нет", {}, {}},
    };
    for (const CodePage table : kTables) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(CodePageName(table)) + " " + c.query);
            Editor e("a.txt", FromUtf8(table, kText), table);
            const std::string query = FromUtf8(table, c.query);
            EXPECT_EQ(FindAll(e, query, c.options), c.forward);

            // Backwards from the end: the same matches, the other way round.
            e.ClearSelection();
            e.SetCursor(2, 100);
            SearchOptions reverse = c.options;
            reverse.reverse = true;
            const std::vector<TextPosition> expected(c.forward.rbegin(), c.forward.rend());
            EXPECT_EQ(FindAll(e, query, reverse), expected);
        }
    }
}

TEST(EditorSearch, AMatchTakesTheCursorToItsStartAndSelectsNothing) {
    Editor e("a.txt", "abc abc\nx");
    e.SetCursor(0, 4);
    EXPECT_EQ(e.Find("abc", {}),
              (Block{{0, 4}, {0, 7}}));  // a new search may find the match at the cursor
    EXPECT_EQ(e.CurPos(), 4);
    e.Select({0, 0}, {0, 2});
    EXPECT_FALSE(e.Find("abc", {.next = true}));
    EXPECT_EQ(e.Selection(), (Block{{0, 0}, {0, 2}}));  // nothing found, nothing changed
    EXPECT_EQ(e.CurPos(), 4);
    EXPECT_EQ(e.Find("ABC", {.reverse = true}), (Block{{0, 0}, {0, 3}}));
    EXPECT_EQ(e.CurPos(), 0);
    EXPECT_FALSE(e.Selection());  // the cursor moved: the block went as with any move
    for (const char* bad : {"", "a\nb", "\r"}) EXPECT_FALSE(e.Find(bad, {})) << bad;
    EXPECT_EQ(e.ReplaceAll("", "x", {}), 0);
    EXPECT_EQ(e.ReplaceAll("abc", "x\ny", {}), 0);
    EXPECT_FALSE(e.Modified());
}

// After a search the user types in front of the match, and searching on
// (Shift+F7) goes to the match after the cursor.
TEST(EditorSearch, TypingAfterAFindGoesInFrontOfTheMatch) {
    Editor e("a.txt", "one two three three");
    ASSERT_TRUE(e.Find("three", {}));
    e.Type('X');
    EXPECT_EQ(Texts(e), "one two Xthree three");
    EXPECT_EQ(e.CurPos(), 9);
    EXPECT_EQ(e.Find("three", {.next = true}), (Block{{0, 15}, {0, 20}}));
    EXPECT_EQ(e.Find("three", {.reverse = true}), (Block{{0, 9}, {0, 14}}));
}

// The replace loop selects the match it asks about; ReplaceFound replaces that block.
TEST(EditorSearch, ReplaceTheMatchFoundAndGoOnAfterIt) {
    Editor e("a.txt", "a a\na");
    const auto select = [&e](std::optional<Block> match) {
        ASSERT_TRUE(match);
        e.Select(match->start, match->end);
    };
    select(e.Find("a", {}));
    EXPECT_TRUE(e.ReplaceFound("aa", {}));
    EXPECT_EQ(Texts(e), "aa a|a");
    EXPECT_EQ(e.CurPos(), 2);  // after the replacement: the next search does not find it again
    select(e.Find("a", {}));
    EXPECT_EQ(e.CurPos(), 3);
    EXPECT_FALSE(e.ReplaceFound("b\n", {}));
    e.Run(Command::Right);  // a move drops the match
    EXPECT_FALSE(e.ReplaceFound("b", {}));
    e.Undo();
    EXPECT_EQ(Texts(e), "a a|a");

    e.SetCursor(1, 1);
    select(e.Find("a", {.reverse = true}));
    EXPECT_TRUE(e.ReplaceFound("bb", {.reverse = true}));
    EXPECT_EQ(Texts(e), "a a|bb");
    EXPECT_EQ(e.CurPos(), 0);  // before it, going backwards
}

TEST(EditorSearch, ReplaceAllFromTheCursorIsOneStep) {
    const struct {
        TextPosition cursor;
        SearchOptions options;
        int count;
        const char* text;
        TextPosition after;
    } cases[] = {
        {{0, 0}, {}, 7, "xx xx|x|xx", {2, 2}},
        {{0, 2}, {}, 5, "Aa xx|x|xx", {2, 2}},
        {{1, 1}, {}, 2, "Aa aA|a|xx", {2, 2}},
        {{1, 1}, {.reverse = true}, 5, "xx xx|x|aA", {0, 0}},
        {{0, 0}, {.matchCase = true}, 4, "Ax xA|x|xA", {2, 1}},
        {{0, 0}, {.wholeWords = true}, 1, "Aa aA|x|aA", {1, 1}},
    };
    for (const auto& c : cases) {
        Editor e("a.txt", "Aa aA\na\naA");
        e.SetCursor(c.cursor.line, c.cursor.byteColumn);
        EXPECT_EQ(e.ReplaceAll("a", "x", c.options), c.count) << c.text;
        EXPECT_EQ(Texts(e), c.text);
        EXPECT_EQ(e.CurLine(), c.after.line) << c.text;
        EXPECT_EQ(e.CurPos(), c.after.byteColumn) << c.text;
        EXPECT_EQ(e.UndoHistorySize().steps, 1u);
        e.Undo();
        EXPECT_EQ(Texts(e), "Aa aA|a|aA");
    }

    // A replacement that holds the query is not searched again.
    Editor grow("a.txt", "aaa");
    EXPECT_EQ(grow.ReplaceAll("a", "aa", {}), 3);
    EXPECT_EQ(Texts(grow), "aaaaaa");
}

}  // namespace
}  // namespace engine
