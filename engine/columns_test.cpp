// Every conversion between the kinds of column, on lines with tabs, UTF-8
// characters of one to four bytes, a stray byte and room beyond the end.
#include "engine/columns.hpp"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

namespace engine {
namespace {

// Byte, character, screen and UTF-16 columns cannot stand for one another.
static_assert(!std::is_constructible_v<ByteColumn, ScreenColumn>);
static_assert(!std::is_constructible_v<Utf16Column, ByteColumn>);
static_assert(!std::is_convertible_v<int, CharColumn>);

constexpr auto kOem = CodePage::Oem866;
constexpr auto kUtf8 = CodePage::Utf8;
// "Н у <tab> 😀 <stray byte> x": 2, 2, 1, 4, 1 and 1 bytes.
const std::string kMixed = "\xD0\x9D\xD1\x83\t\xF0\x9F\x98\x80\xFFx";

struct Row {
    int byte;
    int screen;
    int utf16;
    int chars;
};

TEST(LineColumns, CountEveryKindOfColumnFromTheBytes) {
    const struct {
        std::string text;
        CodePage table;
        int tabSize;
        Row rows[5];
    } cases[] = {
        // One byte a character: only tabs widen, and only on the screen.
        {"a\tb",
         kOem,
         8,
         {{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 8, 2, 2}, {3, 9, 3, 3}, {10, 16, 10, 10}}},
        {"\t", kOem, 4, {{0, 0, 0, 0}, {1, 4, 1, 1}, {2, 5, 2, 2}, {3, 6, 3, 3}, {4, 7, 4, 4}}},
        // UTF-8: a character is one cell and one column, the emoji two units.
        {kMixed,
         kUtf8,
         8,
         {{0, 0, 0, 0}, {2, 1, 1, 1}, {5, 8, 3, 3}, {9, 9, 5, 4}, {12, 12, 8, 7}}},
    };
    for (const auto& c : cases) {
        const LineColumns columns(c.text, c.table, c.tabSize);
        for (const Row& r : c.rows) {
            SCOPED_TRACE(c.text + " at byte " + std::to_string(r.byte));
            EXPECT_EQ(columns.Screen(ByteColumn(r.byte)).Value(), r.screen);
            EXPECT_EQ(columns.Utf16(ByteColumn(r.byte)).Value(), r.utf16);
            EXPECT_EQ(columns.Char(ByteColumn(r.byte)).Value(), r.chars);
            EXPECT_EQ(columns.Byte(ScreenColumn(r.screen)).Value(), r.byte);
            EXPECT_EQ(columns.Byte(Utf16Column(r.utf16)).Value(), r.byte);
            EXPECT_EQ(columns.Byte(CharColumn(r.chars)).Value(), r.byte);
        }
    }
}

TEST(LineColumns, APlaceInsideATabOrAPairStandsOnIt) {
    const LineColumns columns(kMixed, kUtf8, 8);
    EXPECT_EQ(columns.Byte(ScreenColumn(3)).Value(), 4);  // inside the tab's width: the tab
    EXPECT_EQ(columns.Byte(Utf16Column(4)).Value(), 5);   // between the emoji's halves
    EXPECT_EQ(columns.Screen(ByteColumn(7)).Value(), 9);  // inside the emoji: counted whole
    EXPECT_EQ(NextTabStop(0, 8), 8);
    EXPECT_EQ(NextTabStop(8, 8), 16);
    EXPECT_EQ(NextTabStop(5, 0), 6);  // a tab size below 1 counts as 1
}

}  // namespace
}  // namespace engine
