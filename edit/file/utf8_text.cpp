#include "edit/file/utf8_text.hpp"

#include "engine/utf8.hpp"

namespace edit {
namespace {

// The name iconv knows a table by: the first of its character sets.
std::string_view IconvName(const engine::CodePageRecord& record) {
    return record.charsets.substr(0, record.charsets.find(' '));
}

bool Holds(engine::CodePage table, std::string_view utf8) {
    std::size_t at = 0;
    while (at < utf8.size()) {
        char32_t ch = 0;
        std::size_t length = 0;
        if (!engine::DecodeUtf8(utf8.substr(at), ch, length) || !engine::FromUnicode(table, ch))
            return false;
        at += length;
    }
    return true;
}

// The characters a UTF-8 letter is made of: the alphabets up to Cyrillic
// and Hebrew, and punctuation, currency, letter-like signs and box drawing.
// A byte pair of 866 or KOI8-R text that happens to be valid UTF-8 mostly
// decodes to something else ("сам" in 866 is U+182C, a Mongolian letter).
bool LikelyInMail(char32_t ch) { return ch < 0x800 || (ch >= 0x2000 && ch < 0x2600); }

}  // namespace

bool HasUtf8Mark(std::string_view bytes) { return bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark; }

bool IsUtf8Text(std::string_view bytes) {
    bool beyondAscii = false;
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        char32_t ch = 0;
        std::size_t length = 0;
        if (!engine::DecodeUtf8(bytes.substr(at), ch, length) || !LikelyInMail(ch)) return false;
        beyondAscii = true;
        at += length;
    }
    return beyondAscii;
}

std::optional<engine::CodePage> TableForUtf8(std::string_view utf8, engine::CodePage preferred) {
    if (Holds(preferred, utf8)) return preferred;
    for (const engine::CodePageRecord& table : engine::CodePages()) {
        if (Holds(table.page, utf8)) return table.page;
    }
    return std::nullopt;
}

std::string Utf8Advice(std::optional<engine::CodePage> table) {
    if (!table) return "No table of the editor holds all of its characters.";
    const engine::CodePageRecord& record = engine::RecordOf(*table);
    return "Its text fits " + std::string(record.name) + ": convert it with iconv -f UTF-8 -t " +
           std::string(IconvName(record)) + " and open it with --codepage " +
           std::string(record.option) + ".";
}

}  // namespace edit
