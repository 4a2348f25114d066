#include "common/ascii.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Ascii, OnlyTheTwentySixLettersChangeCase) {
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        const bool capital = c >= 'A' && c <= 'Z';
        const bool small = c >= 'a' && c <= 'z';
        EXPECT_EQ(ascii::ToLower(byte), capital ? c + 32 : c) << c;
        EXPECT_EQ(ascii::ToUpper(byte), small ? c - 32 : c) << c;
        // A plain char is signed here: bytes above 0x7F stay as they are too.
        EXPECT_EQ(ascii::ToLower(static_cast<char>(byte)), static_cast<char>(capital ? c + 32 : c)) << c;
    }
    EXPECT_EQ(ascii::ToLower(U'Q'), U'q');
    EXPECT_EQ(ascii::ToLower(U'Н'), U'Н');  // Cyrillic is not ASCII
}

TEST(Ascii, NamesCompareWithoutRegardToCase) {
    EXPECT_TRUE(ascii::EqualNoCase("HKEY_Current_User", "hkey_current_USER"));
    EXPECT_TRUE(ascii::EqualNoCase("", ""));
    EXPECT_FALSE(ascii::EqualNoCase("abc", "abcd"));
    EXPECT_FALSE(ascii::EqualNoCase("a[", "A{"));  // '[' and '{' lie 32 apart but are no letters
    EXPECT_FALSE(ascii::EqualNoCase("\x8D", "\xAD"));  // nor are the code page's Cyrillic letters
    EXPECT_TRUE(ascii::StartsWithNoCase("DWORD:0000004e", "dword:"));
    EXPECT_FALSE(ascii::StartsWithNoCase("dwor", "dword:"));
    EXPECT_EQ(ascii::LowerCopy("Software\\Far\\\x8D"), "software\\far\\\x8D");
}

}  // namespace
