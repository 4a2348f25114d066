#include "host/codepage.hpp"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <set>

namespace host {
namespace {

// The character iconv(3) reads for one byte of `page`, or nothing when the
// code page leaves the byte undefined.
std::optional<char32_t> IconvCharacter(const char* page, unsigned char byte) {
    iconv_t cd = iconv_open("UTF-32LE", page);
    if (cd == reinterpret_cast<iconv_t>(-1)) ADD_FAILURE() << "iconv lacks " << page;
    char in[1] = {static_cast<char>(byte)};
    unsigned char out[8] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || outLeft != 4) return std::nullopt;
    return char32_t(out[0]) | char32_t(out[1]) << 8 | char32_t(out[2]) << 16 |
           char32_t(out[3]) << 24;
}

// The committed tables must be exactly what iconv reads, so that a wrong
// table cannot slip in by hand.
TEST(CodePageTables, AgreeWithIconv) {
    for (int b = 0; b < 256; ++b) {
        const auto oem = IconvCharacter("CP866", static_cast<unsigned char>(b));
        ASSERT_TRUE(oem.has_value()) << "866 byte " << b;
        EXPECT_EQ(ToUnicode(CodePage::Oem866, static_cast<unsigned char>(b)), *oem) << b;
        const auto ansi = IconvCharacter("CP1251", static_cast<unsigned char>(b));
        EXPECT_EQ(ToUnicode(CodePage::Ansi1251, static_cast<unsigned char>(b)),
                  ansi.value_or(U'\uFFFD'))
            << "1251 byte " << b;
    }
}

TEST(CodePageMaps, FormABijectionWithAsciiAsIdentity) {
    std::set<int> ansiImages;
    std::set<int> oemImages;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(AnsiToOem(OemToAnsi(byte)), byte);
        EXPECT_EQ(OemToAnsi(AnsiToOem(byte)), byte);
        ansiImages.insert(OemToAnsi(byte));
        oemImages.insert(AnsiToOem(byte));
        if (b < 0x80) {
            EXPECT_EQ(OemToAnsi(byte), byte);
            EXPECT_EQ(AnsiToOem(byte), byte);
        }
    }
    EXPECT_EQ(ansiImages.size(), 256u);
    EXPECT_EQ(oemImages.size(), 256u);
}

// Bytes that stand for one character in both tables map to each other;
// that covers the whole Russian alphabet.
TEST(CodePageMaps, KeepEveryCharacterBothTablesShare) {
    int shared = 0;
    for (int b = 0; b < 256; ++b) {
        const auto oem = static_cast<unsigned char>(b);
        const char32_t ch = ToUnicode(CodePage::Oem866, oem);
        const auto ansi = FromUnicode(CodePage::Ansi1251, ch);
        if (!ansi) continue;
        ++shared;
        EXPECT_EQ(OemToAnsi(oem), *ansi) << "866 byte " << b;
    }
    EXPECT_GE(shared, 128 + 66 + 2);  // ASCII, the 66 Russian letters, more
    EXPECT_EQ(OemToAnsi(0x8D), 0xCD);  // Н
    EXPECT_EQ(OemToAnsi(0xE0), 0xF0);  // р
    EXPECT_EQ(OemToAnsi(0xF0), 0xA8);  // Ё
    EXPECT_EQ(AnsiToOem(0xFF), 0xEF);  // я
    for (char32_t ch = U'А'; ch <= U'я'; ++ch) {
        const auto oem = FromUnicode(CodePage::Oem866, ch);
        const auto ansi = FromUnicode(CodePage::Ansi1251, ch);
        ASSERT_TRUE(oem && ansi);
        EXPECT_EQ(OemToAnsi(*oem), *ansi);
    }
}

TEST(CodePageMaps, PairLeftoverBytesInAscendingOrder) {
    // 1251 0x98 has no character; the leftovers pair up in ascending order,
    // so the smallest leftover OEM byte maps to the smallest leftover ANSI byte.
    int lastAnsi = -1;
    for (int b = 0; b < 256; ++b) {
        const auto oem = static_cast<unsigned char>(b);
        if (FromUnicode(CodePage::Ansi1251, ToUnicode(CodePage::Oem866, oem))) continue;
        const int ansi = OemToAnsi(oem);
        EXPECT_GT(ansi, lastAnsi);
        EXPECT_FALSE(FromUnicode(CodePage::Oem866, ToUnicode(CodePage::Ansi1251, ansi)));
        lastAnsi = ansi;
    }
    EXPECT_GE(lastAnsi, 0);
}

TEST(CodePageMaps, ConvertTextInPlaceAndBack) {
    char text[256];
    for (int b = 0; b < 256; ++b) text[b] = static_cast<char>(b);
    OemToAnsi(text, sizeof text);
    AnsiToOem(text, sizeof text);
    for (int b = 0; b < 256; ++b) EXPECT_EQ(static_cast<unsigned char>(text[b]), b);
}

TEST(CodePageUnicode, ControlBytesAndRoundTrips) {
    EXPECT_EQ(ToUnicode(CodePage::Oem866, 0x01), U'\x01');  // not the graphic glyph
    EXPECT_EQ(ToUnicode(CodePage::Oem866, 0x1F), U'\x1F');
    EXPECT_EQ(ToUnicode(CodePage::Ansi1251, 0x98), U'\uFFFD');
    EXPECT_FALSE(FromUnicode(CodePage::Ansi1251, U'\uFFFD'));
    EXPECT_FALSE(FromUnicode(CodePage::Oem866, U'€'));
    EXPECT_EQ(FromUnicode(CodePage::Ansi1251, U'€'), 0x88);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(FromUnicode(CodePage::Oem866, ToUnicode(CodePage::Oem866, byte)), byte);
        if (b != 0x98) {
            EXPECT_EQ(FromUnicode(CodePage::Ansi1251, ToUnicode(CodePage::Ansi1251, byte)), byte);
        }
    }
}

TEST(CodePageUnicode, ToUtf8) {
    EXPECT_EQ(ToUtf8(CodePage::Oem866, "\x8D\xA5\xE2 ok"), "Нет ok");
    EXPECT_EQ(ToUtf8(CodePage::Ansi1251, "\xCD\xE5\xF2\x88"), "Нет€");
    EXPECT_EQ(ToUtf8(CodePage::Oem866, std::string_view("\0\xFC", 2)), std::string("\0№", 4));
}

}  // namespace
}  // namespace host
