// The splitter on its own: where a text breaks for a given width.
#include "module/editor/wrap.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace marten {
namespace {

struct SplitCase {
    std::string text;
    int width;
    std::string head, tail;
};

class SplitAtMarginTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitAtMarginTest, HeadAndTail) {
    const SplitCase& c = GetParam();
    const MarginSplit split = SplitAtMargin(c.text, c.width);
    ASSERT_LE(split.headLength, split.tailStart);
    ASSERT_LE(split.tailStart, c.text.size());
    EXPECT_EQ(c.text.substr(0, split.headLength), c.head);
    EXPECT_EQ(c.text.substr(split.tailStart), c.tail);
}

const SplitCase kSplitCases[] = {
    {"The quick brown fox jumps", 20, "The quick brown fox", "jumps"},
    {"aaaa bbbb cccc dddd", 15, "aaaa bbbb cccc", "dddd"},
    // A word with no blank before it is cut after the width-th character.
    {"abcdefghijklmnop qr", 10, "abcdefghij", "klmnop qr"},
    {"abcdefghijklmnopqr", 10, "abcdefghij", "klmnopqr"},
    // Fits: nothing to split.
    {"short", 10, "short", ""},
    {"exactly10!", 10, "exactly10!", ""},
    // The word ends exactly at the margin.
    {"abcd efghij klm", 11, "abcd efghij", "klm"},
    // A word crossing the margin goes to the tail whole.
    {"abcd efghijkl m", 10, "abcd", "efghijkl m"},
    // Blanks at the break: TAB and blank dropped from the head, only blanks from the tail.
    {"abcd \t  efgh", 6, "abcd", "\t  efgh"},
    {"abcd  \tefgh", 6, "abcd", "\tefgh"},
    {"abcd   efghij", 5, "abcd", "efghij"},
    // Only blanks before the margin or before the crossing word: an empty head.
    {"      abcdefgh", 4, "", "abcdefgh"},
    {"   abcdefgh", 5, "", "abcdefgh"},
    {"\tabcdefgh", 5, "", "\tabcdefgh"},
    // A width below 1 counts as 1.
    {"ab", 0, "a", "b"},
    {"ab", -5, "a", "b"},
    {"", 3, "", ""},
};

INSTANTIATE_TEST_SUITE_P(Texts, SplitAtMarginTest, testing::ValuesIn(kSplitCases));

// The splitter step by step as the rule reads, scanning forward from the
// margin to the end of the word; the real one stops looking at width + 1.
MarginSplit LiteralSplit(const std::string& s, std::size_t w) {
    const std::size_t length = s.size();
    if (length <= w) return {length, length};
    auto blank = [&](std::size_t i) { return s[i - 1] == ' ' || s[i - 1] == '\t'; };
    std::size_t c = w;
    while (c <= length && !blank(c)) ++c;
    if (c > length) c = length;
    while (c >= 1 && blank(c)) --c;
    if (c > w) {
        while (c >= 1 && !blank(c)) --c;
        if (c == 0) {
            c = w;
        } else {
            while (c >= 1 && blank(c)) --c;
        }
    }
    std::size_t t = c + 1;
    while (t <= length && s[t - 1] == ' ') ++t;
    return {c, t - 1};
}

TEST(SplitAtMargin, AgreesWithTheRuleStepByStep) {
    std::mt19937 random(20261208);
    const char alphabet[] = {'a', 'b', ' ', ' ', '\t', '>'};
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 40, 'x');
        for (char& c : text) c = alphabet[random() % sizeof alphabet];
        const int width = 1 + static_cast<int>(random() % 25);
        const MarginSplit expected = LiteralSplit(text, static_cast<std::size_t>(width));
        const MarginSplit actual = SplitAtMargin(text, width);
        ASSERT_EQ(actual.headLength, expected.headLength) << '"' << text << "\" width " << width;
        ASSERT_EQ(actual.tailStart, expected.tailStart) << '"' << text << "\" width " << width;
    }
}

}  // namespace
}  // namespace marten

namespace marten {
namespace {

// In UTF-16 the width counts units, and a hard cut keeps a surrogate pair
// (here U+1F600, D83D DE00) whole: one unit back, or past the pair when it
// stands first.
TEST(SplitAtMargin, KeepsSurrogatePairsWhole) {
    const std::u16string pairAtCut = u"abc\U0001F600def";  // the pair is units 4 and 5
    MarginSplit split = SplitAtMargin(std::u16string_view(pairAtCut), 4);
    EXPECT_EQ(split.headLength, 3u);
    EXPECT_EQ(split.tailStart, 3u);
    split = SplitAtMargin(std::u16string_view(pairAtCut), 5);
    EXPECT_EQ(split.headLength, 5u);

    const std::u16string pairFirst = u"\U0001F600xyz";
    split = SplitAtMargin(std::u16string_view(pairFirst), 1);
    EXPECT_EQ(split.headLength, 2u);
    EXPECT_EQ(split.tailStart, 2u);

    // Breaks at blanks are never inside a pair; the width counts units.
    const std::u16string words = u"\U0001F600\U0001F600 ab";
    split = SplitAtMargin(std::u16string_view(words), 5);
    EXPECT_EQ(split.headLength, 4u);
    EXPECT_EQ(split.tailStart, 5u);
}

}  // namespace
}  // namespace marten
