// Help text flowed into rows and placed in the window.
#include "edit/ui/help_layout.hpp"

#include <gtest/gtest.h>

#include <array>

namespace edit {
namespace {

std::u32string RowText(const HelpLine& row) {
    std::u32string text;
    for (const HelpSpan& s : row.spans) text += s.text;
    return text;
}

// The frame's corners, then the body's first row and its height.
std::array<int, 6> Frame(const HelpLayout& l) {
    return {l.x1, l.y1, l.x2, l.y2, l.bodyTop, l.bodyRows};
}

TEST(HelpLayout, FlowBreaksAtBlanksAndKeepsLinks) {
    auto paragraphs = ParseHelpTopic(" see the ~settings dialog~@dlgConfigure@ now");
    auto rows = FlowHelp(paragraphs, 14);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(RowText(rows[0]), U" see the");
    EXPECT_EQ(RowText(rows[1]), U"settings");
    EXPECT_EQ(RowText(rows[2]), U"dialog now");
    EXPECT_EQ(rows[1].spans[0].link, 0);
    EXPECT_EQ(rows[2].spans[0].link, 0);
    EXPECT_EQ(rows[2].spans[0].target, "dlgConfigure");
    // A word longer than the row is cut, nothing is lost.
    auto cut = FlowHelp(ParseHelpTopic("abcdefghij"), 4);
    ASSERT_EQ(cut.size(), 3u);
    EXPECT_EQ(RowText(cut[2]), U"ij");
}

TEST(HelpLayout, HeadingsStayAboveTheBodyThatScrolls) {
    const auto paragraphs = ParseHelpTopic("$ Marten\r\n^Centre\r\n one two three four ~link~@Other@\r\n");
    // An 80 x 25 screen: a row free above and below, a line under the heading.
    const HelpLayout wide = LayOutHelp(paragraphs, 80, 25);
    EXPECT_EQ(Frame(wide), (std::array<int, 6>{0, 1, 79, 23, 4, 19}));
    ASSERT_EQ(wide.headings.size(), 1u);
    ASSERT_EQ(wide.rows.size(), 2u);
    EXPECT_EQ(RowStart(wide, wide.rows[1]), 2);
    EXPECT_EQ(RowStart(wide, wide.rows[0]), 2 + (76 - 6) / 2);  // "Centre" in the 76 cells
    EXPECT_EQ(RowOfLink(wide, 0), 1);
    EXPECT_EQ(RowOfLink(wide, 1), -1);

    // A screen of 20 x 6: no free rows, the body flowed into 16 cells.
    const HelpLayout small = LayOutHelp(paragraphs, 20, 6);
    EXPECT_EQ(Frame(small), (std::array<int, 6>{0, 0, 19, 5, 3, 2}));
    ASSERT_EQ(small.rows.size(), 3u);
    EXPECT_EQ(RowText(small.rows[1]), U" one two three");
    EXPECT_EQ(RowOfLink(small, 0), 2);
}

}  // namespace
}  // namespace edit
