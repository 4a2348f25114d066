// far2l's UTF-32 text beside the UTF-16 of the editor view it stands on:
// characters beyond the BMP are one character and two units, and a column
// counts characters on far2l's side.
#ifndef _WIN32
#include "host/far2l/far2l_text.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Far2lText, ConvertsBothWaysAndReplacesWhatIsNoCharacter) {
    EXPECT_EQ(host::WideOf(u"a\u0416\U0001F600b"), L"a\u0416\U0001F600b");
    EXPECT_EQ(host::Utf16OfWide(L"a\u0416\U0001F600b"), u"a\u0416\U0001F600b");
    EXPECT_EQ(host::WideOf(std::u16string(1, u'\xD800') + u"x"), L"\xFFFDx");
    EXPECT_EQ(host::Utf16OfWide(std::wstring(1, static_cast<wchar_t>(0x110000))), u"\xFFFD");
    EXPECT_EQ(host::Utf16OfWide(std::wstring(1, static_cast<wchar_t>(0xDC00))), u"\xFFFD");
    EXPECT_EQ(host::WideOfUtf8("\xD0\x96"), L"\u0416");
    EXPECT_EQ(host::Utf8OfWide(L"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(Far2lText, ColumnsCountCharactersOnFar2lsSide) {
    const std::u16string line = u"a\U0001F600b";  // units: a, pair, b
    const struct Case {
        int units, chars;
    } cases[] = {{0, 0}, {1, 1}, {3, 2}, {4, 3}, {6, 5}};  // past the end: one a unit
    for (const Case& c : cases) {
        EXPECT_EQ(host::CharColumn(line, c.units), c.chars) << c.units;
        EXPECT_EQ(host::UnitColumn(line, c.chars), c.units) << c.chars;
    }
}

}  // namespace
#endif
