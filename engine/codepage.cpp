// The editor's character tables and the conversions between them.
//
// The byte -> Unicode tables come from iconv (scripts/gen-codepage-tables.sh).
// The ANSI table's conversions to and from OEM are the file manager's own,
// measured (ansi_oem_tables.inc); those of the custom table KOI8-R are built
// as the file manager builds a custom table's: a mapping to OEM, derived here
// at compile time from the Unicode tables, and its reverse taken from it.
#include "engine/codepage.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "engine/utf8.hpp"

namespace engine {
namespace {

// A byte that its code page leaves undefined (1251 has one: 0x98).
constexpr char32_t kNoCharacter = 0xFFFFFFFF;
// What such a byte shows as on the terminal.
constexpr char32_t kReplacementCharacter = 0xFFFD;
// What a custom table's conversion gives for a character the other side lacks.
constexpr unsigned char kUnmapped = '?';

#include "engine/ansi_oem_tables.inc"
#include "engine/codepage_tables.inc"

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

// The bytes of the UTF-8 table one by one: ASCII is itself; a byte at or
// above 0x80 is part of a character no single byte names.
struct ByteCharacters {
    char32_t of[256];
};
consteval ByteCharacters Utf8Bytes() {
    ByteCharacters table{};
    for (int b = 0; b < 256; ++b) table.of[b] = b < 0x80 ? static_cast<char32_t>(b) : kNoCharacter;
    return table;
}
constexpr ByteCharacters kUtf8Bytes = Utf8Bytes();
constexpr const auto& kUtf8Unicode = kUtf8Bytes.of;

// ASCII as itself, anything else as '?' both ways.
consteval ByteMap AsciiOnly() {
    ByteMap map{};
    for (int b = 0; b < 256; ++b) map[b] = static_cast<unsigned char>(b < 0x80 ? b : kUnmapped);
    return map;
}

constexpr OemMaps kOemMaps{Identity(), Identity()};
constexpr OemMaps kUtf8Maps{AsciiOnly(), AsciiOnly()};
constexpr OemMaps kAnsiMaps{Copy(kAnsiToOemBestFit), Copy(kOemToAnsiBestFit)};
constexpr OemMaps kKoi8rMaps = CustomTable(kKoi8rUnicode);

static_assert(kKoi8rMaps.toOem[0xEE] == 0x8D, "KOI8-R capital EN is OEM 0x8D");
static_assert(kKoi8rMaps.fromOem[0xE0] == 0xD2, "OEM small ER is KOI8-R 0xD2");

consteval bool WordCharacter(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           c == 0xAA || c == 0xB5 || c == 0xBA ||
           (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7) || (c >= 0x400 && c <= 0x481) ||
           (c >= 0x48A && c <= 0x4FF);
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
        const char32_t lower = FoldCase(unicode[b]);
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

// In UTF-8 the bytes of a character beyond ASCII count as a letter's: most
// such characters in a message are letters, and a word move then never
// stops inside one.
consteval LetterMaps Utf8Letters() {
    LetterMaps maps = Letters(kUtf8Unicode);
    for (int b = 0x80; b < 256; ++b) maps.word[b] = true;
    return maps;
}
constexpr LetterMaps kUtf8Letters = Utf8Letters();

static_assert(kOemLetters.fold[0x8D] == 0xAD && kOemLetters.fold[0xF0] == 0xF1, "866: Н н, Ё ё");
static_assert(kAnsiLetters.fold[0xCD] == 0xED && kAnsiLetters.fold[0xA5] == 0xB4, "1251: Н н, Ґ ґ");
static_assert(kKoi8rLetters.fold[0xEE] == 0xCE && kKoi8rLetters.fold[0xB3] == 0xA3,
              "KOI8-R: Н н, Ё ё");

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
constexpr ReverseTable kUtf8Reverse = SortByCharacter(kUtf8Unicode);

// The conversion tables of one code page.
struct Table {
    const char32_t* unicode;  // 256 entries
    const ReverseTable* reverse;
    const OemMaps* oem;
    const LetterMaps* letters;
};

constexpr Table kOemTable{kOem866Unicode, &kOemReverse, &kOemMaps, &kOemLetters};
constexpr Table kAnsiTable{kAnsi1251Unicode, &kAnsiReverse, &kAnsiMaps, &kAnsiLetters};
constexpr Table kKoi8rTable{kKoi8rUnicode, &kKoi8rReverse, &kKoi8rMaps, &kKoi8rLetters};
constexpr Table kUtf8Table{kUtf8Unicode, &kUtf8Reverse, &kUtf8Maps, &kUtf8Letters};

// A record with its conversion tables.
struct Page {
    CodePageRecord record;
    const Table* table;
};

constexpr Page kPages[] = {
    {{CodePage::Oem866, "866", "866", "oem", "OEM 866 (DOS)", "CP866 IBM866", "dos", -1},
     &kOemTable},
    {{CodePage::Ansi1251, "1251", "1251", "ansi", "ANSI 1251 (Windows)", "CP1251 WINDOWS-1251",
      "win", 0},
     &kAnsiTable},
    {{CodePage::Koi8r, "KOI8-R", "koi8-r", "koi8r", "KOI8-R", "KOI8-R", "koi8", 1}, &kKoi8rTable},
    // The Unicode interface's number for it; a plug-in of the ANSI interface
    // is never given a UTF-8 file.
    {{CodePage::Utf8, "UTF-8", "utf-8", "utf8", "UTF-8 (Unicode)", "UTF-8 UTF8", "unicode", 65001},
     &kUtf8Table},
};

consteval std::array<CodePageRecord, std::size(kPages)> Records() {
    std::array<CodePageRecord, std::size(kPages)> records{};
    for (std::size_t i = 0; i < records.size(); ++i) records[i] = kPages[i].record;
    return records;
}
constexpr auto kRecords = Records();

const Page& PageOf(CodePage page) {
    for (const Page& p : kPages) {
        if (p.record.page == page) return p;
    }
    return kPages[0];
}

const Table& TableOf(CodePage page) { return *PageOf(page).table; }

// Lower case, without '-' and '_': "CP-866", "cp866" and "CP_866" compare equal.
std::string NameKey(std::string_view name) {
    std::string key;
    for (const char c : name) {
        if (c != '-' && c != '_')
            key.push_back(static_cast<char>(FoldCase(static_cast<unsigned char>(c))));
    }
    return key;
}

// The blank-separated names of `list`.
void AppendNames(std::vector<std::string_view>& names, std::string_view list) {
    while (!list.empty()) {
        const std::size_t blank = list.find(' ');
        const std::string_view name = list.substr(0, blank);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
        if (blank == std::string_view::npos) break;
        list.remove_prefix(blank + 1);
    }
}

void MapBytes(const ByteMap& map, char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(map[static_cast<unsigned char>(text[i])]);
}

}  // namespace

std::span<const CodePageRecord> CodePages() { return kRecords; }
const CodePageRecord& RecordOf(CodePage page) {
    return kRecords[static_cast<std::size_t>(&PageOf(page) - kPages)];
}
std::string_view CodePageName(CodePage page) { return RecordOf(page).name; }

std::vector<std::string_view> NamesOf(const CodePageRecord& record) {
    std::vector<std::string_view> names;
    for (const std::string_view list :
         {record.name, record.option, record.caseName, record.charsets, record.aliases}) {
        AppendNames(names, list);
    }
    return names;
}

std::optional<CodePage> CodePageByName(std::string_view name) {
    const std::string key = NameKey(name);
    for (const CodePageRecord& r : kRecords) {
        for (const std::string_view known : NamesOf(r)) {
            if (NameKey(known) == key) return r.page;
        }
    }
    return std::nullopt;
}

std::optional<CodePage> CodePageOfCharset(std::string_view charset) {
    const std::string key = NameKey(charset);
    for (const CodePageRecord& r : kRecords) {
        if (!IsSingleByte(r.page)) continue;
        std::vector<std::string_view> names;
        AppendNames(names, r.charsets);
        for (const std::string_view known : names) {
            if (NameKey(known) == key) return r.page;
        }
    }
    return std::nullopt;
}

std::string CodePageNames(std::string_view CodePageRecord::*field, std::string_view last) {
    std::string names;
    for (std::size_t i = 0; i < kRecords.size(); ++i) {
        if (i > 0) names += i + 1 == kRecords.size() ? last : std::string_view(", ");
        names += kRecords[i].*field;
    }
    return names;
}

unsigned char TableToOem(CodePage page, unsigned char byte) {
    return TableOf(page).oem->toOem[byte];
}
unsigned char OemToTable(CodePage page, unsigned char oem) {
    return TableOf(page).oem->fromOem[oem];
}

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
    if (IsSingleByte(page)) {
        for (const char c : bytes) AppendUtf8(out, ToUnicode(page, static_cast<unsigned char>(c)));
        return out;
    }
    while (!bytes.empty()) {
        char32_t ch = 0;
        std::size_t length = 0;
        if (DecodeUtf8(bytes, ch, length)) {
            out.append(bytes.substr(0, length));
        } else {
            AppendUtf8(out, kReplacementCharacter);
            length = 1;
        }
        bytes.remove_prefix(length);
    }
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
        if (!IsSingleByte(page)) {
            out.append(utf8.substr(0, length));
            utf8.remove_prefix(length);
            continue;
        }
        utf8.remove_prefix(length);
        if (const auto byte = FromUnicode(page, ch))
            out += static_cast<char>(*byte);
        else
            ++lost;
    }
    if (unkept) *unkept = lost;
    return out;
}

std::size_t CharLength(CodePage page, std::string_view text, std::size_t pos) {
    if (IsSingleByte(page) || static_cast<unsigned char>(text[pos]) < 0x80) return 1;
    char32_t ch = 0;
    std::size_t length = 0;
    return DecodeUtf8(text.substr(pos, 4), ch, length) ? length : 1;
}

// A valid sequence that ends at `pos` is a character, since no valid
// sequence can start on a continuation byte of another; otherwise the byte
// before `pos` is one on its own.
std::size_t CharStartBefore(CodePage page, std::string_view text, std::size_t pos) {
    if (IsSingleByte(page) || static_cast<unsigned char>(text[pos - 1]) < 0x80) return pos - 1;
    for (std::size_t back = 2; back <= 4 && back <= pos; ++back) {
        if (CharLength(page, text, pos - back) == back) return pos - back;
    }
    return pos - 1;
}

std::size_t CharStartAt(CodePage page, std::string_view text, std::size_t pos) {
    if (IsSingleByte(page) || pos >= text.size() || pos == 0) return pos;
    for (std::size_t back = 1; back <= 3 && back <= pos; ++back) {
        if (CharLength(page, text, pos - back) > back) return pos - back;
    }
    return pos;
}

std::size_t CharCount(CodePage page, std::string_view text) {
    if (IsSingleByte(page)) return text.size();
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(page, text, pos)) ++count;
    return count;
}

std::optional<TableChar> TableChar::Of(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > 4) return std::nullopt;
    TableChar c;
    std::copy(bytes.begin(), bytes.end(), c.bytes_.begin());
    c.size_ = static_cast<std::uint8_t>(bytes.size());
    return c;
}

std::optional<TableChar> EncodeChar(CodePage page, char32_t ch) {
    if (IsSingleByte(page)) {
        if (const auto byte = FromUnicode(page, ch)) return TableChar(*byte);
        return std::nullopt;
    }
    if ((ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF) return std::nullopt;
    std::string bytes;
    AppendUtf8(bytes, ch);
    return TableChar::Of(bytes);
}

unsigned char FoldCase(CodePage page, unsigned char byte) {
    return TableOf(page).letters->fold[byte];
}
bool IsWordChar(CodePage page, unsigned char byte) { return TableOf(page).letters->word[byte]; }

}  // namespace engine
