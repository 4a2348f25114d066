#include "edit/file/table_guess.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

namespace edit {

// A guess as a failed check shows it: "KOI8-R, reason 4".
void PrintTo(const TableGuess& guess, std::ostream* out) {
    *out << engine::CodePageName(guess.table) << ", reason " << static_cast<int>(guess.reason);
}

namespace {

using engine::CodePage;
using R = TableReason;

constexpr std::string_view kMasks = "*.msg,golded.*";
const std::optional<CodePage> kUtf8Locale = CodePage::Utf8;
const std::optional<CodePage> kKoi8rLocale = CodePage::Koi8r;
const std::optional<CodePage> kOtherLocale = std::nullopt;  // ISO-8859-1: no table of the editor

// `count` copies of `piece`.
std::string Times(std::string_view piece, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += piece;
    return out;
}

TEST(TableGuess, ByItsBytes) {
    const std::string mongolian = "\xE1\xA0\xAC";  // сам in 866, U+182C in UTF-8
    const TableGuess mark{CodePage::Utf8, R::ByteOrderMark};
    const TableGuess utf8{CodePage::Utf8, R::Utf8Characters};
    const TableGuess oem{CodePage::Oem866, R::EightBit};
    const TableGuess oemAlthoughUtf8{CodePage::Oem866, R::EightBitAlthoughUtf8};
    const struct {
        const char* what;
        std::string bytes;
        std::optional<CodePage> locale;
        TableGuess expected;
    } cases[] = {
        {"a mark", "\xEF\xBB\xBF AB> \xD0\x9F", kKoi8rLocale, mark},
        {"a mark before no UTF-8", "\xEF\xBB\xBF\x8F\xE0", kUtf8Locale, mark},
        {"Russian", " AB> Привет, мир!\n", kUtf8Locale, utf8},
        {"in a KOI8-R locale", "Ёлка «ёж» — 5 €, № 3, ≤ ╔═╗ ⌠", kKoi8rLocale, utf8},
        // 866 whose Cyrillic happens to be valid UTF-8: Braille and Mongolian.
        {"866, valid UTF-8", " AB> \xE2\xA0\xAC \xE1\xA0\xAC \xE2\xA0\xAA\r\n", kUtf8Locale,
         oemAlthoughUtf8},
        {"a C1 control", "\xC2\x85", kUtf8Locale, oemAlthoughUtf8},
        {"nine in ten", Times("Ж", 9) + mongolian, kUtf8Locale, utf8},
        {"eight in nine", Times("Ж", 8) + mongolian, kUtf8Locale, oemAlthoughUtf8},
        {"Chinese", "中文的信。", kUtf8Locale, oemAlthoughUtf8},
        {"Hebrew", "שלום, עולם", kUtf8Locale, oemAlthoughUtf8},
        {"Hebrew, KOI8-R locale", "שלום", kKoi8rLocale, {CodePage::Koi8r, R::EightBitAlthoughUtf8}},
        {"866", " AB> \x8F\xE0\xA8\xA2\xA5\xE2\r\n", kUtf8Locale, oem},
        {"KOI8-R", "\xF0\xD2\xC9\xD7\xC5\xD4", kKoi8rLocale, {CodePage::Koi8r, R::EightBit}},
        {"1251", "\xCF\xF0\xE8\xE2\xE5\xF2", CodePage::Ansi1251, {CodePage::Ansi1251, R::EightBit}},
        {"8-bit, ISO-8859-1 locale", "\xCF\xF0", kOtherLocale, oem},
        // One byte that is no UTF-8 anywhere makes the whole file 8-bit.
        {"UTF-8 cut off", Times("Ж", 1000) + "\xD0", kUtf8Locale, oem},
        {"an overlong form", "\xC0\xAF", kUtf8Locale, oem},
        // Runs of ASCII are passed over eight bytes at a time.
        {"866 within ASCII", std::string(13, 'a') + "\x8F" + std::string(20, 'b'), kUtf8Locale,
         oem},
        {"UTF-8 within ASCII", std::string(17, 'a') + "Ж" + std::string(9, 'b'), kUtf8Locale, utf8},
        {"empty", "", kUtf8Locale, {CodePage::Utf8, R::AsciiByLocale}},
        {"ASCII", "Hello,\nworld\n", kUtf8Locale, {CodePage::Utf8, R::AsciiByLocale}},
        {"empty, KOI8-R locale", "", kKoi8rLocale, {CodePage::Koi8r, R::AsciiByLocale}},
        {"ASCII, KOI8-R locale", "Hello\n", kKoi8rLocale, {CodePage::Koi8r, R::AsciiByLocale}},
        {"ASCII, ISO-8859-1 locale", "Hello\n", kOtherLocale, {CodePage::Oem866, R::AsciiByLocale}},
    };
    for (const auto& c : cases) {
        const TableGuess guess = GuessTable(
            {.bytes = c.bytes, .path = "notes.txt", .locale = c.locale, .ftnFiles = kMasks});
        EXPECT_EQ(guess, c.expected) << c.what;
    }
}

// A reply file that holds nothing beyond ASCII, or nothing at all, stays in
// the 8-bit table; only its name counts, not its folders.
TEST(TableGuess, ByItsNameWhenItHoldsOnlyAscii) {
    const struct {
        std::string_view path;
        std::string_view bytes;
        std::optional<CodePage> locale;
        std::string_view masks;
        TableGuess expected;
    } cases[] = {
        {"golded.msg", "", kUtf8Locale, kMasks, {CodePage::Oem866, R::AsciiFtnReply}},
        {"/tmp/GOLDED.MSG", "Hi\n", kUtf8Locale, kMasks, {CodePage::Oem866, R::AsciiFtnReply}},
        {"mail/Reply.Msg", "Hi\n", kKoi8rLocale, kMasks, {CodePage::Koi8r, R::AsciiFtnReply}},
        {"dir.msg/notes.txt", "", kUtf8Locale, kMasks, {CodePage::Utf8, R::AsciiByLocale}},
        {"reply.msg.bak", "", kUtf8Locale, kMasks, {CodePage::Utf8, R::AsciiByLocale}},
        {"golded.msg", "", kUtf8Locale, "", {CodePage::Utf8, R::AsciiByLocale}},
        {"Ответ.TXT", "", kUtf8Locale, " ответ.txt ; *.pkt ", {CodePage::Oem866, R::AsciiFtnReply}},
        // Text beyond ASCII is read by its bytes, whatever the name.
        {"golded.msg", "Привет", kUtf8Locale, kMasks, {CodePage::Utf8, R::Utf8Characters}},
        {"golded.msg", "\x8F\xE0", kUtf8Locale, kMasks, {CodePage::Oem866, R::EightBit}},
    };
    for (const auto& c : cases) {
        const TableGuess guess =
            GuessTable({.bytes = c.bytes, .path = c.path, .locale = c.locale, .ftnFiles = c.masks});
        EXPECT_EQ(guess, c.expected) << c.path << " with " << c.masks;
    }
}

// The mark outweighs --codepage; --codepage outweighs everything else.
TEST(TableGuess, TheMarkThenTheNamedTable) {
    const auto guess = [](std::string_view bytes, std::string_view path) {
        return GuessTable({.bytes = bytes,
                           .path = path,
                           .named = CodePage::Ansi1251,
                           .locale = kUtf8Locale,
                           .ftnFiles = kMasks});
    };
    EXPECT_EQ(guess("\xEF\xBB\xBFx", "a.txt"), (TableGuess{CodePage::Utf8, R::ByteOrderMark}));
    EXPECT_EQ(guess("Привет", "a.txt"), (TableGuess{CodePage::Ansi1251, R::Named}));
    EXPECT_EQ(guess("", "golded.msg"), (TableGuess{CodePage::Ansi1251, R::Named}));
}

TEST(TableGuess, TheCharactersOfMail) {
    const struct {
        char32_t ch;
        bool mail;
    } cases[] = {
        {U'A', false},   {0x9F, false},   {0xA0, true},     {0x0250, false}, {0x052F, true},
        {0x0530, false}, {U'⌠', true},    {0x2300, false},  {0x25FF, true},  {0x2600, false},
        {0x182C, false}, {0xFFFD, false}, {0x1F600, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsMailCharacter(c.ch), c.mail) << std::hex << static_cast<unsigned>(c.ch);
}

std::string ReadReply(const std::string& name) {
    std::ifstream in(std::string(MARTEN_SOURCE_DIR) + "/tests/data/replies/" + name,
                     std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), {}};
}

// Whole replies, quotes, tearline and origin included: in the locale of
// their own table each is read in it, and in no locale is an 8-bit one
// taken for UTF-8.
TEST(TableGuess, WholeReplies) {
    const struct {
        const char* file;
        CodePage table;
    } replies[] = {
        {"reply-866.msg", CodePage::Oem866},
        {"reply-1251.msg", CodePage::Ansi1251},
        {"reply-koi8r.msg", CodePage::Koi8r},
        {"reply-utf8.msg", CodePage::Utf8},
    };
    const std::optional<CodePage> locales[] = {CodePage::Utf8, CodePage::Oem866, CodePage::Ansi1251,
                                               CodePage::Koi8r, std::nullopt};
    for (const auto& reply : replies) {
        const std::string bytes = ReadReply(reply.file);
        ASSERT_GT(bytes.size(), 400u) << reply.file;
        for (const auto& locale : locales) {
            const TableGuess guess = GuessTable(
                {.bytes = bytes, .path = reply.file, .locale = locale, .ftnFiles = kMasks});
            const bool utf8 = reply.table == CodePage::Utf8;
            const TableGuess expected = utf8 ? TableGuess{CodePage::Utf8, R::Utf8Characters}
                                             : TableGuess{EightBitTable(locale), R::EightBit};
            EXPECT_EQ(guess, expected) << reply.file;
            if (locale == reply.table) {
                EXPECT_EQ(guess.table, reply.table) << reply.file;
            }
        }
    }
}

}  // namespace
}  // namespace edit
