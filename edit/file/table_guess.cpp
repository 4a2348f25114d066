#include "edit/file/table_guess.hpp"

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "edit/file/utf8_text.hpp"
#include "engine/text16.hpp"
#include "engine/utf8.hpp"
#include "host/cmp_name.hpp"

namespace edit {
namespace {

// Every character of mail lies in the Basic Multilingual Plane.
constexpr char32_t kPlaneEnd = 0x10000;
constexpr char32_t kReplacementCharacter = 0xFFFD;

constexpr bool IsC1Control(char32_t ch) { return ch >= 0x80 && ch <= 0x9F; }

struct Block {
    char32_t first, last;
};

// The blocks of Unicode that mail in this field is written with beyond what
// the tables hold.
constexpr Block kMailBlocks[] = {
    {0x00A0, 0x00FF},  // Latin-1 Supplement, without the C1 controls before it
    {0x0100, 0x017F},  // Latin Extended-A
    {0x0180, 0x024F},  // Latin Extended-B
    {0x0370, 0x03FF},  // Greek and Coptic
    {0x0400, 0x04FF},  // Cyrillic
    {0x0500, 0x052F},  // Cyrillic Supplement
    {0x2000, 0x206F},  // General Punctuation
    {0x20A0, 0x20CF},  // Currency Symbols
    {0x2100, 0x214F},  // Letterlike Symbols
    {0x2190, 0x21FF},  // Arrows
    {0x2200, 0x22FF},  // Mathematical Operators
    {0x2500, 0x257F},  // Box Drawing
    {0x2580, 0x259F},  // Block Elements
    {0x25A0, 0x25FF},  // Geometric Shapes
};

using CharacterSet = std::bitset<kPlaneEnd>;

CharacterSet MakeMailCharacters() {
    CharacterSet set;
    for (const Block& block : kMailBlocks) {
        for (char32_t ch = block.first; ch <= block.last; ++ch) set.set(ch);
    }
    for (const engine::CodePage page :
         {engine::CodePage::Oem866, engine::CodePage::Koi8r, engine::CodePage::Ansi1251}) {
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const char32_t ch = engine::ToUnicode(page, static_cast<unsigned char>(byte));
            if (ch != kReplacementCharacter && !IsC1Control(ch) && ch < kPlaneEnd) set.set(ch);
        }
    }
    return set;
}

const CharacterSet& MailCharacters() {
    static const CharacterSet set = MakeMailCharacters();
    return set;
}

// The characters beyond ASCII in a file's bytes, when they are UTF-8.
struct Utf8Count {
    bool valid = true;     // false at the first byte that is no UTF-8
    std::size_t all = 0;   // characters beyond ASCII
    std::size_t mail = 0;  // those of them that mail is written with
};

// The first byte at or after `at` beyond ASCII, or the end; eight bytes at a
// time where it can, as most of a message is ASCII.
std::size_t SkipAscii(std::string_view bytes, std::size_t at) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    // Inside a word the next character is seldom ASCII.
    if (at < bytes.size() && static_cast<unsigned char>(bytes[at]) >= 0x80) return at;
    for (std::uint64_t word = 0; at + sizeof word <= bytes.size(); at += sizeof word) {
        std::memcpy(&word, bytes.data() + at, sizeof word);
        if ((word & kHighBits) != 0) break;
    }
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80) ++at;
    return at;
}

// One pass; it stops at the first byte that is no UTF-8, since then the
// counts no longer matter.
Utf8Count CountUtf8(std::string_view bytes) {
    const CharacterSet& mail = MailCharacters();
    Utf8Count count;
    for (std::size_t at = SkipAscii(bytes, 0); at < bytes.size(); at = SkipAscii(bytes, at)) {
        char32_t ch = 0;
        std::size_t length = 0;
        if (!engine::DecodeUtf8(bytes.substr(at), ch, length)) {
            count.valid = false;
            break;
        }
        ++count.all;
        if (ch < kPlaneEnd && mail[ch]) ++count.mail;
        at += length;
    }
    return count;
}

}  // namespace

bool IsMailCharacter(char32_t ch) { return ch < kPlaneEnd && MailCharacters()[ch]; }

engine::CodePage EightBitTable(std::optional<engine::CodePage> locale) {
    return locale && engine::IsSingleByte(*locale) ? *locale : engine::CodePage::Oem866;
}

bool IsFtnReplyFile(std::string_view path, std::string_view masks) {
    // On this system only '/' ends a folder: '\' and ':' may be in a name.
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return host::CmpNameList(engine::Utf8ToUtf16(masks), engine::Utf8ToUtf16(name), false);
}

TableGuess GuessTable(const TableQuestion& question) {
    if (HasUtf8Mark(question.bytes)) return {engine::CodePage::Utf8, TableReason::ByteOrderMark};
    if (question.named) return {*question.named, TableReason::Named};
    const engine::CodePage eightBit = EightBitTable(question.locale);
    const Utf8Count count = CountUtf8(question.bytes);
    if (!count.valid) return {eightBit, TableReason::EightBit};
    if (count.all == 0) {
        if (IsFtnReplyFile(question.path, question.ftnFiles))
            return {eightBit, TableReason::AsciiFtnReply};
        // A locale's set that the editor has no table for leaves the 8-bit one.
        return {question.locale.value_or(eightBit), TableReason::AsciiByLocale};
    }
    // At least nine in ten of the characters beyond ASCII.
    if (count.mail * 10 >= count.all * 9)
        return {engine::CodePage::Utf8, TableReason::Utf8Characters};
    return {eightBit, TableReason::EightBitAlthoughUtf8};
}

}  // namespace edit
