#include "edit/file/utf8_text.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

using engine::CodePage;

TEST(Utf8Text, OnlyValidUtf8BeyondAsciiCounts) {
    EXPECT_TRUE(IsUtf8Text("AB> \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\n"));  // Привет
    EXPECT_FALSE(IsUtf8Text("plain ASCII\r\n"));
    EXPECT_FALSE(IsUtf8Text(""));
    // Привет in the editor's own tables is no UTF-8.
    EXPECT_FALSE(IsUtf8Text("\x8F\xE0\xA8\xA2\xA5\xE2"));  // 866
    EXPECT_FALSE(IsUtf8Text("\xCF\xF0\xE8\xE2\xE5\xF2"));  // 1251
    EXPECT_FALSE(IsUtf8Text("\xF0\xD2\xC9\xD7\xC5\xD4"));  // KOI8-R
    EXPECT_FALSE(IsUtf8Text("\xD0\x9F\xD1"));              // cut off
    // 866 text that is valid UTF-8 of some other script is no hint.
    EXPECT_FALSE(IsUtf8Text("AB> \xE1\xA0\xAC\r\n"));       // сам in 866: U+182C
    EXPECT_FALSE(IsUtf8Text("\xE0\xA0\xA4 \xE1\xA0\xAC"));  // рад сам in 866: U+0824 U+182C
    EXPECT_TRUE(IsUtf8Text("\xC2\xAB\xE2\x80\x94 \xE2\x82\xAC \xE2\x84\x96\xC2\xBB"));  // «— € №»
}

TEST(Utf8Text, TheTableThatHoldsTheText) {
    const std::string russian =
        "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD1\x91";  // Привет ё
    EXPECT_EQ(TableForUtf8(russian, CodePage::Koi8r), CodePage::Koi8r);
    EXPECT_EQ(TableForUtf8(russian, CodePage::Ansi1251), CodePage::Ansi1251);
    EXPECT_EQ(TableForUtf8("\xD1\x94", CodePage::Koi8r), CodePage::Oem866);  // є: not in KOI8-R
    EXPECT_EQ(TableForUtf8("\xE2\x82\xAC", CodePage::Oem866),
              CodePage::Ansi1251);                                            // €: only in 1251
    EXPECT_EQ(TableForUtf8("\xE4\xB8\xAD", CodePage::Oem866), std::nullopt);  // 中
}

TEST(Utf8Text, AdviceNamesTheTableAndHowToConvert) {
    EXPECT_EQ(Utf8Advice(CodePage::Koi8r),
              "Its text fits KOI8-R: convert it with iconv -f UTF-8 -t KOI8-R and open it with "
              "--codepage koi8-r.");
    EXPECT_EQ(Utf8Advice(CodePage::Oem866),
              "Its text fits 866: convert it with iconv -f UTF-8 -t CP866 and open it with "
              "--codepage 866.");
    EXPECT_EQ(Utf8Advice(std::nullopt), "No table of the editor holds all of its characters.");
}

}  // namespace
}  // namespace edit
