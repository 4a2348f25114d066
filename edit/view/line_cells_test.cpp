#include "edit/view/line_cells.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

std::u32string Shown(std::string_view text, engine::CodePage table = engine::CodePage::Oem866) {
    std::u32string out;
    for (const Cell& c : LineCells(text, table, 8)) out.push_back(c.ch);
    return out;
}

TEST(LineCells, TabsReachTheNextStopAndControlBytesShowAsLetters) {
    EXPECT_EQ(Shown("a\tb"), U"a       b");
    EXPECT_EQ(Shown("12345678\tb"), U"12345678        b");
    auto cells = LineCells("\x01x", engine::CodePage::Oem866, 8);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_TRUE(cells[0].control);
    EXPECT_EQ(cells[0].ch, U'A');
    EXPECT_FALSE(cells[1].control);
}

TEST(LineCells, OnlyTheCellsAskedForAreMade) {
    EXPECT_EQ(LineCells(std::string(100000, 'x'), engine::CodePage::Oem866, 8, 80).size(), 80u);
    EXPECT_EQ(LineCells("\tx", engine::CodePage::Oem866, 8, 3).size(), 8u);  // a tab is whole
}

TEST(LineCells, BytesReadInTheEditorsTable) {
    EXPECT_EQ(Shown("\x8D"), U"Н");
    EXPECT_EQ(Shown("\xCD", engine::CodePage::Ansi1251), U"Н");
}

// In UTF-8 a character is one cell whatever its bytes; a byte that is no
// UTF-8 is one cell too, shown marked, so nothing of the line is hidden.
TEST(LineCells, Utf8CharactersTakeOneCellEach) {
    constexpr auto kUtf8 = engine::CodePage::Utf8;
    const std::string text = "\xD0\x9D\xD1\x83\t\xF0\x9F\x98\x80\xFFx";  // Ну, tab, 😀, stray
    EXPECT_EQ(Shown(text, kUtf8), U"Ну      😀\uFFFDx");
    EXPECT_TRUE(LineCells(text, kUtf8, 8)[9].control);
}

}  // namespace
}  // namespace edit
