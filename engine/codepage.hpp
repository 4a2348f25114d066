// The editor's character tables (OEM 866, ANSI 1251, the custom table
// KOI8-R, and UTF-8), the conversions between each table and the OEM code
// page that the editor offers plug-ins, and the conversions to Unicode for
// the terminal.
//
// The first three hold one character per byte. UTF-8 holds one to four
// bytes per character: the byte-wise functions below treat each of its
// bytes at and above 0x80 as part of a character they cannot name (it shows
// as U+FFFD, converts to OEM as '?', and counts as a letter for words);
// Utf8Step and the string conversions work in whole characters.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

enum class CodePage { Oem866, Ansi1251, Koi8r, Utf8 };

// True for the tables that hold each character in one byte.
constexpr bool IsSingleByte(CodePage page) { return page != CodePage::Utf8; }

// One table with every name it goes by. A new table is a record in the
// list below (with its Unicode table); everything that names tables reads
// the list.
struct CodePageRecord {
    CodePage page;
    std::string_view name;      // on the title line and the key bar: "866", "KOI8-R"
    std::string_view option;    // as --codepage and the advice spell it: "866", "koi8-r"
    std::string_view caseName;  // in a case file's "table:" header: "oem", "koi8r"
    std::string_view label;     // in the list of tables: "OEM 866 (DOS)"
    // The character set's names as iconv and the C library give them,
    // blank-separated, iconv's first: "CP866 IBM866".
    std::string_view charsets;
    std::string_view aliases;  // other names users give it, blank-separated: "dos"
    // The editor's number for it: -1 the OEM table, 0 the ANSI table, then
    // the custom tables from 1.
    int tableNum;
};

// Every table, in the order the list of tables offers them.
std::span<const CodePageRecord> CodePages();
const CodePageRecord& RecordOf(CodePage page);

// The table's name as the title line and the command line show it ("866",
// "1251", "KOI8-R").
std::string_view CodePageName(CodePage page);

// Every name of the table as its record writes it, each once.
std::vector<std::string_view> NamesOf(const CodePageRecord& record);

// A table by any of its names (name, option, case name, character sets,
// aliases), compared without regard to case, '-' and '_': "CP-866", "oem",
// "Windows-1251", "koi8_r".
std::optional<CodePage> CodePageByName(std::string_view name);

// The 8-bit table of a locale's character set as the C library names it
// ("KOI8-R", "CP1251", "IBM866"); none for any other set (UTF-8, ASCII):
// a locale never makes a file UTF-8, as Russian text in 866 or KOI8-R may
// well be valid UTF-8.
std::optional<CodePage> CodePageOfCharset(std::string_view charset);

// The names of all tables in the list's order, joined: "866, 1251 or
// koi8-r" (`field` picks the name, `last` joins the final two).
std::string CodePageNames(std::string_view CodePageRecord::*field, std::string_view last = " or ");

// ECTL_EDITORTOOEM and ECTL_OEMTOEDITOR of the file manager's editor: the
// identity in the OEM table; in the ANSI table the platform's best-fit maps,
// and in KOI8-R a mapping to OEM with its reverse taken from it. Outside the
// OEM table both are lossy: a character that the other table lacks becomes a
// look-alike or '?', and a byte converted there and back need not come back.
unsigned char TableToOem(CodePage page, unsigned char byte);
unsigned char OemToTable(CodePage page, unsigned char oem);
void TableToOem(CodePage page, char* text, std::size_t length);
void OemToTable(CodePage page, char* text, std::size_t length);

// The Unicode character a byte stands for in `page` (control bytes map to
// themselves; a byte the table leaves undefined shows as U+FFFD). Exact, for
// what the terminal shows and what a user types.
char32_t ToUnicode(CodePage page, unsigned char byte);
// The byte of `page` for a Unicode character, if the table has one.
std::optional<unsigned char> FromUnicode(CodePage page, char32_t ch);

// The text of `page` in UTF-8; in the UTF-8 table each byte that is no
// UTF-8 becomes U+FFFD.
std::string ToUtf8(CodePage page, std::string_view bytes);
// UTF-8 text in `page`: each character the table lacks, and each byte that
// is no UTF-8, is left out and counted in `unkept` (when given).
std::string FromUtf8(CodePage page, std::string_view utf8, std::size_t* unkept = nullptr);

// The length in bytes of the character at `pos` of `text` in `page`
// (pos < text.size()): one in the 8-bit tables; in UTF-8 that of a valid
// sequence, and one for a byte that is no UTF-8, so that every byte of a
// line belongs to exactly one character and a stray byte stays editable.
std::size_t CharLength(CodePage page, std::string_view text, std::size_t pos);
// Where the character that ends at `pos` (0 < pos <= text.size()) starts.
std::size_t CharStartBefore(CodePage page, std::string_view text, std::size_t pos);
// `pos` moved back to the start of the character it falls in (a position
// at or beyond the end stays).
std::size_t CharStartAt(CodePage page, std::string_view text, std::size_t pos);
// The number of characters in `text`.
std::size_t CharCount(CodePage page, std::string_view text);

// One character in a table's bytes: one byte in an 8-bit table, one to
// four in UTF-8.
class TableChar {
public:
    constexpr TableChar(unsigned char byte)  // NOLINT(google-explicit-constructor): a byte is one
        : bytes_{static_cast<char>(byte)}, size_(1) {}
    // The bytes of one character, one to four of them; nothing otherwise.
    static std::optional<TableChar> Of(std::string_view bytes);
    std::string_view Bytes() const { return {bytes_.data(), size_}; }
    friend bool operator==(const TableChar& a, const TableChar& b) {
        return a.Bytes() == b.Bytes();
    }

private:
    TableChar() = default;
    std::array<char, 4> bytes_{};
    std::uint8_t size_ = 0;
};

// `ch` in `page`'s bytes; nothing when the table lacks it.
std::optional<TableChar> EncodeChar(CodePage page, char32_t ch);

// The lower-case form of a letter of the scripts the tables hold (Latin,
// Latin-1, Cyrillic); any other character unchanged. The one case rule of
// the host and the editor: tables, menus and hot keys fold with it.
constexpr char32_t FoldCase(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // Latin-1
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;             // А..Я
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;             // Ѐ..Џ, Ё among them
    if (c >= 0x490 && c <= 0x4BF && c % 2 == 0) return c + 1;  // Ґ and the other pairs
    return c;
}

// The byte of the lower-case form of a letter (Latin, Latin-1 and Cyrillic,
// as far as `page` holds both forms); any other byte unchanged. Two bytes
// match without regard to case when their folds are equal.
unsigned char FoldCase(CodePage page, unsigned char byte);
// True for the bytes of letters and digits (Latin, Latin-1 and Cyrillic)
// and '_': what words are made of, for whole-word search and moving by words.
bool IsWordChar(CodePage page, unsigned char byte);

}  // namespace engine
