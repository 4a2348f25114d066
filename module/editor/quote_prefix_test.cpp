// The mark positions, the two prefix forms and the removal of a prefix.
#include "module/editor/quote_prefix.hpp"

#include <gtest/gtest.h>

#include <string>

namespace marten {
namespace {

std::string Str(const Text& text) { return std::string(text.data(), text.size()); }

struct PrefixCase {
    std::string line;
    int first, last;
    std::string plain, trimmed, removed;
};

class QuotePrefixTest : public testing::TestWithParam<PrefixCase> {};

TEST_P(QuotePrefixTest, MarksFormsAndRemoval) {
    const PrefixCase& c = GetParam();
    EXPECT_EQ(FirstMark(c.line).value, c.first);
    EXPECT_EQ(LastMark(c.line).value, c.last);
    EXPECT_EQ(Str(PlainPrefix(c.line, c.line)), c.plain);
    EXPECT_EQ(Str(TrimmedPrefix(c.line, c.line)), c.trimmed);
    Text removed(c.line.data(), c.line.size());
    removed.erase(0, PrefixLength(c.line));
    EXPECT_EQ(Str(removed), c.removed);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, QuotePrefixTest,
    testing::Values(PrefixCase{" AB> text", 4, 4, " AB> ", "AB> ", "text"},
                    PrefixCase{" AB>> x", 4, 5, " AB>> ", "AB>> ", "x"},
                    PrefixCase{"\tAB> x", 4, 4, "\tAB> ", "AB> ", "x"},
                    PrefixCase{" \t AB> x", 6, 6, " \t AB> ", "AB> ", "x"},
                    // Blanks between the initials and the mark belong to the prefix.
                    PrefixCase{" AB \t> x", 6, 6, " AB \t> ", "AB \t> ", "x"},
                    PrefixCase{"AB>", 3, 3, "AB> ", "AB> ", ""},
                    PrefixCase{">", 1, 1, "> ", "> ", ""},
                    PrefixCase{"  >", 3, 3, "  > ", "> ", ""},
                    // The last mark may belong to the text: everything through it goes.
                    PrefixCase{"AB> a -> b", 3, 8, "AB> a -> ", "AB> a -> ", "b"},
                    PrefixCase{"AB> x -> y", 3, 8, "AB> x -> ", "AB> x -> ", "y"},
                    PrefixCase{"Compare x > y", 11, 11, "Compare x > ", "Compare x > ", "y"},
                    // A TAB closing the prefix goes with it; only that one blank.
                    PrefixCase{"AB>\tx", 3, 3, "AB> ", "AB> ", "x"},
                    PrefixCase{"AB>  x", 3, 3, "AB> ", "AB> ", " x"},
                    // A character right behind the mark is text and is kept.
                    PrefixCase{" AB>text", 4, 4, " AB> ", "AB> ", "text"},
                    PrefixCase{"no marks here", 0, 0, "", "", "no marks here"},
                    PrefixCase{"", 0, 0, "", "", ""}));

TEST(QuotePrefix, MarksAreFoundInBytesOfAnyValue) {
    const std::string line = std::string("\x8D\xE0\0>\xFF", 5);
    EXPECT_EQ(FirstMark(line).value, 4);
    EXPECT_EQ(LastMark(line).value, 4);
    EXPECT_EQ(PrefixLength(line), 4u);
}

// The prefix forms take the editor's own bytes at the places the examined
// form shows, and end with the editor's blank.
TEST(QuotePrefix, FormsTakeTheEditorsOwnBytes) {
    const std::string own = " \xC0\xC1> \xAB\xE2\xBB";  // " АБ> «т»" in 1251
    const std::string examined = " \x80\x81> <\xE2\x1A";
    EXPECT_EQ(Str(PlainPrefix(examined, own, '_')), " \xC0\xC1>_");
    EXPECT_EQ(Str(TrimmedPrefix(examined, own, '_')), "\xC0\xC1>_");
}

// A rule character counts only where the editor's own byte is that
// character: '»' (1251 0xBB) turned into '>' by the conversion does not.
TEST(QuotePrefix, OnlyTheUsersOwnMarksAndBlanksCount) {
    const std::string own = " \xC0> \xBB\xA0\t";  // " А> »", no-break space, TAB
    Text oem(" \x80> >\xFF\t");
    KeepOwnRuleCharacters(oem, own, "> \t");
    EXPECT_EQ(Str(oem), " \x80> \x1A\xFF\t");
    EXPECT_EQ(LastMark(oem).value, 3);

    // A table whose own byte for '>' is '}': that byte is the mark, and the
    // editor's '>' (OEM '}') is none.
    Text swapped(">}>");
    KeepOwnRuleCharacters(swapped, "}>>", "} \t");
    EXPECT_EQ(Str(swapped), ">}\x1A");

    // A conversion that came back short: the rest reads as the editor has it.
    Text shortened("a");
    KeepOwnRuleCharacters(shortened, "a>b", "> \t");
    EXPECT_EQ(Str(shortened), "a>b");
}

}  // namespace
}  // namespace marten
