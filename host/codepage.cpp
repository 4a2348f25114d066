// The editor's character tables and the conversions between them.
//
// The byte -> Unicode tables come from iconv (scripts/gen-codepage-tables.sh).
// The ANSI table's conversions to and from OEM are the file manager's own,
// measured (ansi_oem_tables.inc); those of the custom table KOI8-R are built
// as the file manager builds a custom table's: a mapping to OEM, derived here
// at compile time from the Unicode tables, and its reverse taken from it.
#include "host/codepage.hpp"

#include <algorithm>
#include <array>
#include <cstddef>

#include "host/utf8.hpp"

namespace host {
namespace {

// A byte that its code page leaves undefined (1251 has one: 0x98).
constexpr char32_t kNoCharacter = 0xFFFFFFFF;
// What such a byte shows as on the terminal.
constexpr char32_t kReplacementCharacter = 0xFFFD;
// What a custom table's conversion gives for a character the other side lacks.
constexpr unsigned char kUnmapped = '?';

#include "host/ansi_oem_tables.inc"
#include "host/codepage_tables.inc"

using ByteMap = std::array<unsigned char, 256>;

struct OemMaps {
    ByteMap toOem{};
    ByteMap fromOem{};
};

consteval ByteMap Identity() {
    ByteMap map{};
    for (int b = 0; b < 256; ++b) map[b] = static_cast<unsigned char>(b);
    return map;
}

consteval ByteMap Copy(const unsigned char (&table)[256]) {
    ByteMap map{};
    for (int b = 0; b < 256; ++b) map[b] = table[b];
    return map;
}

// A custom table: each byte maps to the OEM byte of the same character, or
// to '?'; the reverse gives each OEM byte the first byte of the table that
// maps to it, or '?' when none does (so '?' itself stays '?').
consteval OemMaps CustomTable(const char32_t (&unicode)[256]) {
    OemMaps maps;
    std::array<bool, 256> reached{};
    for (int b = 0; b < 256; ++b) {
        maps.toOem[b] = kUnmapped;
        for (int oem = 0; oem < 256; ++oem) {
            if (unicode[b] != kNoCharacter && kOem866Unicode[oem] == unicode[b]) {
                maps.toOem[b] = static_cast<unsigned char>(oem);
                break;
            }
        }
    }
    for (int oem = 0; oem < 256; ++oem) maps.fromOem[oem] = kUnmapped;
    for (int b = 0; b < 256; ++b) {
        if (reached[maps.toOem[b]]) continue;
        reached[maps.toOem[b]] = true;
        maps.fromOem[maps.toOem[b]] = static_cast<unsigned char>(b);
    }
    return maps;
}

constexpr OemMaps kOemMaps{Identity(), Identity()};
constexpr OemMaps kAnsiMaps{Copy(kAnsiToOemBestFit), Copy(kOemToAnsiBestFit)};
constexpr OemMaps kKoi8rMaps = CustomTable(kKoi8rUnicode);

static_assert(kKoi8rMaps.toOem[0xEE] == 0x8D, "KOI8-R capital EN is OEM 0x8D");
static_assert(kKoi8rMaps.fromOem[0xE0] == 0xD2, "OEM small ER is KOI8-R 0xD2");

// The lower-case form of a letter of the scripts these tables hold.
consteval char32_t LowerCase(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // Latin-1
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;              // А..Я
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;              // Ѐ..Џ, Ё among them
    if (c >= 0x490 && c <= 0x4BF && c % 2 == 0) return c + 1;   // Ґ and the other pairs
    return c;
}

consteval bool WordCharacter(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           c == 0xAA || c == 0xB5 || c == 0xBA || (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7) ||
           (c >= 0x400 && c <= 0x481) || (c >= 0x48A && c <= 0x4FF);
}

// Case and word classes of one table, derived from its Unicode table.
struct LetterMaps {
    ByteMap fold{};
    std::array<bool, 256> word{};
};

consteval LetterMaps Letters(const char32_t (&unicode)[256]) {
    LetterMaps maps;
    for (int b = 0; b < 256; ++b) {
        maps.fold[b] = static_cast<unsigned char>(b);
        maps.word[b] = unicode[b] != kNoCharacter && WordCharacter(unicode[b]);
        const char32_t lower = LowerCase(unicode[b]);
        if (unicode[b] == kNoCharacter || lower == unicode[b]) continue;
        for (int other = 0; other < 256; ++other) {
            if (unicode[other] == lower) {
                maps.fold[b] = static_cast<unsigned char>(other);
                break;
            }
        }
    }
    return maps;
}

constexpr LetterMaps kOemLetters = Letters(kOem866Unicode);
constexpr LetterMaps kAnsiLetters = Letters(kAnsi1251Unicode);
constexpr LetterMaps kKoi8rLetters = Letters(kKoi8rUnicode);

static_assert(kOemLetters.fold[0x8D] == 0xAD && kOemLetters.fold[0xF0] == 0xF1, "866: Н н, Ё ё");
static_assert(kAnsiLetters.fold[0xCD] == 0xED && kAnsiLetters.fold[0xA5] == 0xB4, "1251: Н н, Ґ ґ");
static_assert(kKoi8rLetters.fold[0xEE] == 0xCE && kKoi8rLetters.fold[0xB3] == 0xA3, "KOI8-R: Н н, Ё ё");

// Unicode -> byte, sorted by character for binary search.
struct ReverseEntry {
    char32_t ch;
    unsigned char byte;
};
using ReverseTable = std::array<ReverseEntry, 256>;

consteval ReverseTable SortByCharacter(const char32_t (&table)[256]) {
    ReverseTable reverse{};
    for (int b = 0; b < 256; ++b) reverse[b] = {table[b], static_cast<unsigned char>(b)};
    std::sort(reverse.begin(), reverse.end(),
              [](const ReverseEntry& a, const ReverseEntry& b) { return a.ch < b.ch; });
    return reverse;
}

constexpr ReverseTable kOemReverse = SortByCharacter(kOem866Unicode);
constexpr ReverseTable kAnsiReverse = SortByCharacter(kAnsi1251Unicode);
constexpr ReverseTable kKoi8rReverse = SortByCharacter(kKoi8rUnicode);

// Everything the host knows of one table.
struct Table {
    std::string_view name;
    const char32_t* unicode;  // 256 entries
    const ReverseTable* reverse;
    const OemMaps* oem;
    const LetterMaps* letters;
};

constexpr Table kOemTable{"866", kOem866Unicode, &kOemReverse, &kOemMaps, &kOemLetters};
constexpr Table kAnsiTable{"1251", kAnsi1251Unicode, &kAnsiReverse, &kAnsiMaps, &kAnsiLetters};
constexpr Table kKoi8rTable{"KOI8-R", kKoi8rUnicode, &kKoi8rReverse, &kKoi8rMaps, &kKoi8rLetters};

const Table& TableOf(CodePage page) {
    switch (page) {
    case CodePage::Ansi1251: return kAnsiTable;
    case CodePage::Koi8r: return kKoi8rTable;
    case CodePage::Oem866: break;
    }
    return kOemTable;
}

void MapBytes(const ByteMap& map, char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(map[static_cast<unsigned char>(text[i])]);
}

}  // namespace

std::string_view CodePageName(CodePage page) { return TableOf(page).name; }

unsigned char TableToOem(CodePage page, unsigned char byte) { return TableOf(page).oem->toOem[byte]; }
unsigned char OemToTable(CodePage page, unsigned char oem) { return TableOf(page).oem->fromOem[oem]; }

void TableToOem(CodePage page, char* text, std::size_t length) {
    MapBytes(TableOf(page).oem->toOem, text, length);
}

void OemToTable(CodePage page, char* text, std::size_t length) {
    MapBytes(TableOf(page).oem->fromOem, text, length);
}

char32_t ToUnicode(CodePage page, unsigned char byte) {
    const char32_t ch = TableOf(page).unicode[byte];
    return ch == kNoCharacter ? kReplacementCharacter : ch;
}

std::optional<unsigned char> FromUnicode(CodePage page, char32_t ch) {
    if (ch == kNoCharacter) return std::nullopt;
    const ReverseTable& reverse = *TableOf(page).reverse;
    const auto it = std::lower_bound(reverse.begin(), reverse.end(), ch,
                                     [](const ReverseEntry& e, char32_t c) { return e.ch < c; });
    if (it == reverse.end() || it->ch != ch) return std::nullopt;
    return it->byte;
}

std::string ToUtf8(CodePage page, std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) AppendUtf8(out, ToUnicode(page, static_cast<unsigned char>(c)));
    return out;
}

std::string FromUtf8(CodePage page, std::string_view utf8, std::size_t* unkept) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t lost = 0;
    while (!utf8.empty()) {
        char32_t ch = 0;
        std::size_t length = 0;
        if (!DecodeUtf8(utf8, ch, length)) {
            ++lost;
            utf8.remove_prefix(1);
            continue;
        }
        utf8.remove_prefix(length);
        if (const auto byte = FromUnicode(page, ch)) out += static_cast<char>(*byte);
        else ++lost;
    }
    if (unkept) *unkept = lost;
    return out;
}

unsigned char FoldCase(CodePage page, unsigned char byte) { return TableOf(page).letters->fold[byte]; }
bool IsWordChar(CodePage page, unsigned char byte) { return TableOf(page).letters->word[byte]; }

}  // namespace host
