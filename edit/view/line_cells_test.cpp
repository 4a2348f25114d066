#include "edit/view/line_cells.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

std::u32string Shown(std::string_view text, host::CodePage table = host::CodePage::Oem866) {
    std::u32string out;
    for (const Cell& c : LineCells(text, table, 8)) out.push_back(c.ch);
    return out;
}

TEST(LineCells, TabsReachTheNextStopAndControlBytesShowAsLetters) {
    EXPECT_EQ(Shown("a\tb"), U"a       b");
    EXPECT_EQ(Shown("12345678\tb"), U"12345678        b");
    auto cells = LineCells("\x01x", host::CodePage::Oem866, 8);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_TRUE(cells[0].control);
    EXPECT_EQ(cells[0].ch, U'A');
    EXPECT_FALSE(cells[1].control);
}

TEST(LineCells, OnlyTheCellsAskedForAreMade) {
    EXPECT_EQ(LineCells(std::string(100000, 'x'), host::CodePage::Oem866, 8, 80).size(), 80u);
    EXPECT_EQ(LineCells("\tx", host::CodePage::Oem866, 8, 3).size(), 8u);  // a tab is whole
}

TEST(LineCells, BytesReadInTheEditorsTable) {
    EXPECT_EQ(Shown("\x8D"), U"Н");
    EXPECT_EQ(Shown("\xCD", host::CodePage::Ansi1251), U"Н");
}

TEST(LineCells, ScreenColumnsCountTabsAndTheRoomBeyondTheEnd) {
    EXPECT_EQ(ScreenColumn("a\tb", 0, 8), 0);
    EXPECT_EQ(ScreenColumn("a\tb", 2, 8), 8);
    EXPECT_EQ(ScreenColumn("a\tb", 3, 8), 9);
    EXPECT_EQ(ScreenColumn("ab", 10, 8), 10);  // the cursor beyond the end
    EXPECT_EQ(ScreenColumn("\t", 1, 4), 4);
}

}  // namespace
}  // namespace edit
