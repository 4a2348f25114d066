// The two character tables of the editor and the conversions between them.
//
// The byte -> Unicode tables come from iconv (scripts/gen-codepage-tables.sh);
// everything else is derived from them at compile time, so the byte maps
// between the tables cannot drift from the Unicode tables.
#include "host/codepage.hpp"

#include "host/utf8.hpp"

#include <algorithm>
#include <array>
#include <cstddef>

namespace host {
namespace {

// A byte that its code page leaves undefined (1251 has one: 0x98).
constexpr char32_t kNoCharacter = 0xFFFFFFFF;
// What such a byte shows as on the terminal.
constexpr char32_t kReplacementCharacter = 0xFFFD;

#include "host/codepage_tables.inc"

using ByteMap = std::array<unsigned char, 256>;

struct ByteMaps {
    ByteMap oemToAnsi{};
    ByteMap ansiToOem{};
};

// Pairs each byte with the byte of the other table that stands for the same
// character; the bytes left over on both sides are paired in ascending order,
// which makes the two maps inverse permutations of all 256 byte values.
consteval ByteMaps PairTables() {
    ByteMaps maps;
    std::array<bool, 256> oemPaired{};
    std::array<bool, 256> ansiPaired{};
    for (int oem = 0; oem < 256; ++oem) {
        const char32_t ch = kOem866Unicode[oem];
        if (ch == kNoCharacter) continue;
        for (int ansi = 0; ansi < 256; ++ansi) {
            if (!ansiPaired[ansi] && kAnsi1251Unicode[ansi] == ch) {
                maps.oemToAnsi[oem] = static_cast<unsigned char>(ansi);
                maps.ansiToOem[ansi] = static_cast<unsigned char>(oem);
                oemPaired[oem] = ansiPaired[ansi] = true;
                break;
            }
        }
    }
    int ansi = 0;
    for (int oem = 0; oem < 256; ++oem) {
        if (oemPaired[oem]) continue;
        while (ansiPaired[ansi]) ++ansi;  // as many left on each side, so this ends
        maps.oemToAnsi[oem] = static_cast<unsigned char>(ansi);
        maps.ansiToOem[ansi] = static_cast<unsigned char>(oem);
        oemPaired[oem] = ansiPaired[ansi] = true;
    }
    return maps;
}

constexpr ByteMaps kMaps = PairTables();

static_assert(kMaps.oemToAnsi[0x8D] == 0xCD, "Cyrillic capital EN must pair up");
static_assert(kMaps.ansiToOem[0xE0] == 0xA0, "Cyrillic small A must pair up");

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

const char32_t (&UnicodeTable(CodePage page))[256] {
    return page == CodePage::Oem866 ? kOem866Unicode : kAnsi1251Unicode;
}

}  // namespace

unsigned char OemToAnsi(unsigned char oem) { return kMaps.oemToAnsi[oem]; }
unsigned char AnsiToOem(unsigned char ansi) { return kMaps.ansiToOem[ansi]; }

void OemToAnsi(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(kMaps.oemToAnsi[static_cast<unsigned char>(text[i])]);
}

void AnsiToOem(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(kMaps.ansiToOem[static_cast<unsigned char>(text[i])]);
}

char32_t ToUnicode(CodePage page, unsigned char byte) {
    const char32_t ch = UnicodeTable(page)[byte];
    return ch == kNoCharacter ? kReplacementCharacter : ch;
}

std::optional<unsigned char> FromUnicode(CodePage page, char32_t ch) {
    if (ch == kNoCharacter) return std::nullopt;
    const ReverseTable& reverse = page == CodePage::Oem866 ? kOemReverse : kAnsiReverse;
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

}  // namespace host
