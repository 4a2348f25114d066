#include "engine/codepage.hpp"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <string>

namespace engine {
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
        const auto byte = static_cast<unsigned char>(b);
        const auto oem = IconvCharacter("CP866", byte);
        ASSERT_TRUE(oem.has_value()) << "866 byte " << b;
        EXPECT_EQ(ToUnicode(CodePage::Oem866, byte), *oem) << b;
        EXPECT_EQ(ToUnicode(CodePage::Ansi1251, byte),
                  IconvCharacter("CP1251", byte).value_or(U'\uFFFD'))
            << "1251 byte " << b;
        const auto koi = IconvCharacter("KOI8-R", byte);
        ASSERT_TRUE(koi.has_value()) << "KOI8-R byte " << b;
        EXPECT_EQ(ToUnicode(CodePage::Koi8r, byte), *koi) << "KOI8-R byte " << b;
    }
}

// The editor's conversions in the OEM table change nothing.
TEST(EditorConversions, AreTheIdentityInTheOemTable) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(TableToOem(CodePage::Oem866, byte), byte);
        EXPECT_EQ(OemToTable(CodePage::Oem866, byte), byte);
    }
}

// The ANSI table's maps are the platform's best fit: a few pairs checked
// against what the file manager's editor was seen to do.
TEST(EditorConversions, AnsiTableIsTheMeasuredBestFit) {
    const struct {
        unsigned char ansi, oem;
    } toOem[] = {{0xCD, 0x8D},   // Н
                 {0xF0, 0xE0},   // р
                 {0xA8, 0xF0},   // Ё
                 {0xB9, 0xFC},   // №
                 {0xAB, '<'},    // «
                 {0xBB, '>'},    // »
                 {0x96, '-'},    // –
                 {0x97, '-'},    // —
                 {0x85, ':'},    // …
                 {0x88, '?'},    // €
                 {0x89, '%'},    // ‰
                 {0x99, 'T'},    // ™
                 {0xA0, 0xFF}};  // no-break space
    for (const auto& pair : toOem) {
        EXPECT_EQ(TableToOem(CodePage::Ansi1251, pair.ansi), pair.oem) << int(pair.ansi);
    }
    EXPECT_EQ(OemToTable(CodePage::Ansi1251, 0x8D), 0xCD);
    EXPECT_EQ(OemToTable(CodePage::Ansi1251, 0xB3), 0xA6);  // │ becomes ¦
    EXPECT_EQ(OemToTable(CodePage::Ansi1251, 0xC5), '+');   // ┼

    // Every Russian letter goes there and back; 49 bytes do not come back.
    for (char32_t ch = U'А'; ch <= U'я'; ++ch) {
        const auto ansi = FromUnicode(CodePage::Ansi1251, ch);
        ASSERT_TRUE(ansi);
        EXPECT_EQ(TableToOem(CodePage::Ansi1251, *ansi), FromUnicode(CodePage::Oem866, ch));
    }
    int lost = 0;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (OemToTable(CodePage::Ansi1251, TableToOem(CodePage::Ansi1251, byte)) != byte) ++lost;
        if (b < 0x80) {
            EXPECT_EQ(TableToOem(CodePage::Ansi1251, byte), byte);
        }
    }
    EXPECT_EQ(lost, 49);
}

// A custom table's map to OEM pairs bytes of the same character (iconv's
// view), '?' where the OEM code page lacks it; the reverse takes the first
// byte that maps to each OEM byte.
TEST(EditorConversions, Koi8rIsBuiltAsACustomTable) {
    int unmapped = 0;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const auto oem = FromUnicode(CodePage::Oem866, ToUnicode(CodePage::Koi8r, byte));
        EXPECT_EQ(TableToOem(CodePage::Koi8r, byte), oem.value_or('?')) << b;
        if (!oem) {
            ++unmapped;
            continue;
        }
        EXPECT_EQ(OemToTable(CodePage::Koi8r, *oem), byte) << b;
    }
    EXPECT_GT(unmapped, 0);
    EXPECT_LT(unmapped, 16);
    EXPECT_EQ(TableToOem(CodePage::Koi8r, 0xEE), 0x8D);  // Н
    EXPECT_EQ(TableToOem(CodePage::Koi8r, 0xD2), 0xE0);  // р
    EXPECT_EQ(TableToOem(CodePage::Koi8r, 0xF2), 0x90);  // Р
    EXPECT_EQ(OemToTable(CodePage::Koi8r, '?'), '?');
    EXPECT_EQ(OemToTable(CodePage::Koi8r, 0xF2), '?');  // Є: not in KOI8-R
}

TEST(EditorConversions, ConvertTextInPlace) {
    char text[] = "\xCD\xE5\xF2 \xBB";
    TableToOem(CodePage::Ansi1251, text, 5);
    EXPECT_EQ(std::string(text), "\x8D\xA5\xE2 >");
    OemToTable(CodePage::Ansi1251, text, 5);
    EXPECT_EQ(std::string(text), "\xCD\xE5\xF2 >");
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
        EXPECT_EQ(FromUnicode(CodePage::Koi8r, ToUnicode(CodePage::Koi8r, byte)), byte);
    }
}

TEST(CodePageUnicode, ToUtf8) {
    EXPECT_EQ(ToUtf8(CodePage::Oem866, "\x8D\xA5\xE2 ok"), "Нет ok");
    EXPECT_EQ(ToUtf8(CodePage::Ansi1251, "\xCD\xE5\xF2\x88"), "Нет€");
    EXPECT_EQ(ToUtf8(CodePage::Koi8r, "\xEE\xC5\xD4"), "Нет");
    EXPECT_EQ(ToUtf8(CodePage::Oem866, std::string_view("\0\xFC", 2)), std::string("\0№", 4));
}

}  // namespace
}  // namespace engine

namespace engine {
namespace {

// Each table folds exactly its capital letters (Latin, and the Cyrillic ones
// it holds) onto their small forms in the same table, and nothing else.
TEST(CodePageLetters, FoldCapitalsOntoSmallLettersOfTheSameTable) {
    const struct {
        CodePage page;
        int capitals;  // 26 Latin, 32 Cyrillic, and the table's own extra ones
    } tables[] = {
        {CodePage::Oem866, 26 + 32 + 4},     // Ё Є Ї Ў
        {CodePage::Ansi1251, 26 + 32 + 15},  // Ђ Ѓ Ё Є Ѕ І Ї Ј Љ Њ Ћ Ќ Ў Џ Ґ
        {CodePage::Koi8r, 26 + 32 + 1},      // Ё
    };
    for (const auto& t : tables) {
        int folded = 0;
        int words = 0;
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            const unsigned char small = FoldCase(t.page, byte);
            EXPECT_EQ(FoldCase(t.page, small), small) << b;
            words += IsWordChar(t.page, byte);
            if (small == byte) continue;
            ++folded;
            const char32_t distance = ToUnicode(t.page, small) - ToUnicode(t.page, byte);
            EXPECT_TRUE(distance == 0x20 || distance == 0x50 || distance == 1)
                << CodePageName(t.page) << " " << b;
            EXPECT_TRUE(IsWordChar(t.page, byte) && IsWordChar(t.page, small));
        }
        EXPECT_EQ(folded, t.capitals) << CodePageName(t.page);
        // Both cases of every letter, the ten digits and '_'.
        EXPECT_GE(words, 2 * t.capitals + 11) << CodePageName(t.page);
    }
    for (const char c : std::string(" \t.,;:!?-()<>\"'"))
        EXPECT_FALSE(IsWordChar(CodePage::Oem866, c)) << c;
    EXPECT_FALSE(IsWordChar(CodePage::Ansi1251, 0xAB));  // «
}

// Characters fold by one rule for the tables and the screen's hot keys.
TEST(CodePageLetters, FoldCharacters) {
    const struct {
        char32_t ch, folded;
    } cases[] = {{U'Q', U'q'}, {U'q', U'q'}, {U'Н', U'н'}, {U'Я', U'я'},
                 {U'Ё', U'ё'}, {U'Є', U'є'}, {U'Ґ', U'ґ'}, {U'ґ', U'ґ'},
                 {U'À', U'à'}, {U'×', U'×'}, {U'1', U'1'}, {U'€', U'€'}};
    for (const auto& c : cases) EXPECT_EQ(FoldCase(c.ch), c.folded) << static_cast<unsigned>(c.ch);
}

// The names users give the tables, in any case and with or without '-'/'_';
// only the names of character sets pick a locale's table.
TEST(CodePageNames, ByNameAndByALocalesCharacterSet) {
    constexpr std::optional<CodePage> kNone, kOem = CodePage::Oem866, kAnsi = CodePage::Ansi1251,
                                             kKoi = CodePage::Koi8r, kUtf8 = CodePage::Utf8;
    const struct {
        const char* name;
        std::optional<CodePage> byName, byCharset;
    } cases[] = {
        {"866", kOem, kNone},
        {"cp866", kOem, kOem},
        {"CP-866", kOem, kOem},
        {"IBM866", kOem, kOem},
        {"OEM", kOem, kNone},
        {"dos", kOem, kNone},
        {"1251", kAnsi, kNone},
        {"CP1251", kAnsi, kAnsi},
        {"Windows-1251", kAnsi, kAnsi},
        {"ansi", kAnsi, kNone},
        {"win", kAnsi, kNone},
        {"KOI8-R", kKoi, kKoi},
        {"koi8r", kKoi, kKoi},
        {"koi8_r", kKoi, kKoi},
        {"koi8", kKoi, kNone},
        {"", kNone, kNone},
        {"437", kNone, kNone},
        {"KOI8-U", kNone, kNone},
        // A locale never makes a file UTF-8: only the mark or the user does.
        {"UTF-8", kUtf8, kNone},
        {"utf8", kUtf8, kNone},
        {"ANSI_X3.4-1968", kNone, kNone},
        {"ISO-8859-5", kNone, kNone},
        {"-", kNone, kNone},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePageByName(c.name), c.byName) << c.name;
        EXPECT_EQ(CodePageOfCharset(c.name), c.byCharset) << c.name;
    }
    EXPECT_EQ(CodePageNames(&CodePageRecord::option), "866, 1251, koi8-r or utf-8");
    EXPECT_EQ(CodePageNames(&CodePageRecord::caseName, ", "), "oem, ansi, koi8r, utf8");
}

// Each record is whole and no name belongs to two tables.
TEST(CodePageNames, EveryRecordIsWholeAndItsNamesItsOwn) {
    for (const CodePageRecord& record : CodePages()) {
        EXPECT_EQ(&RecordOf(record.page), &record);
        EXPECT_FALSE(record.name.empty() || record.option.empty() || record.caseName.empty() ||
                     record.label.empty() || record.charsets.empty());
        for (const std::string_view name : NamesOf(record)) {
            EXPECT_EQ(CodePageByName(name), record.page) << name;
        }
    }
}

TEST(CodePageUnicode, FromUtf8CountsWhatTheTableLacks) {
    std::size_t unkept = 99;
    EXPECT_EQ(FromUtf8(CodePage::Oem866, "Нр ok", &unkept), "\x8D\xE0 ok");
    EXPECT_EQ(unkept, 0u);
    EXPECT_EQ(FromUtf8(CodePage::Oem866, "«a»\xC3", &unkept), "a");  // « » and a cut-off sequence
    EXPECT_EQ(unkept, 3u);
    EXPECT_EQ(FromUtf8(CodePage::Ansi1251, "«a»"),
              "\xAB"
              "a\xBB");
    EXPECT_EQ(FromUtf8(CodePage::Koi8r, "\r\n"), "\r\n");
}

}  // namespace
}  // namespace engine
