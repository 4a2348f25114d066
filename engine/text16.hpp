// The editor's text as the Unicode plug-in interface sees it: UTF-16 code
// units. The engine keeps each line in the file's own bytes (what an ANSI
// plug-in reads); a LineCodec converts a line between those bytes and
// UTF-16 at the Unicode interface, losslessly both ways for every byte
// sequence, so that a line a Unicode plug-in reads and writes back unchanged
// leaves the file's bytes exactly as they were.
//
// A single-byte table maps each of its 256 bytes to one UTF-16 unit (a byte
// the table leaves undefined to the C1 control of the same value, as Windows
// does for 1251's 0x98), so a column counts the same in bytes and in units.
// UTF-8 text maps each character to its UTF-16 form and each byte that is no
// UTF-8 to a lone low surrogate U+DC80..U+DCFF, which no valid UTF-8 text
// yields, so that it too comes back as the same byte.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/codepage.hpp"

namespace engine {

class LineCodec {
public:
    virtual ~LineCodec() = default;
    // Appends the UTF-16 form of `bytes` to `out`.
    virtual void ToUtf16(std::string_view bytes, std::u16string& out) const = 0;
    // Appends the bytes of `text` to `out`; false (with `out` as it was) when
    // the text holds a character that this encoding cannot store.
    virtual bool FromUtf16(std::u16string_view text, std::string& out) const = 0;
    // Whether `text` is the UTF-16 form of `bytes`, without making it.
    virtual bool Matches(std::string_view bytes, std::u16string_view text) const;
    // The code page number the Unicode interface reports (866, 1251, 20866, 65001).
    virtual std::uintptr_t CodePageNumber() const = 0;
    // True when a byte column and a UTF-16 column are the same number.
    virtual bool OneUnitPerByte() const = 0;
};

// A single-byte table given as the UTF-16 unit of each byte; the units must
// be distinct (the reverse map is built from them).
class TableCodec final : public LineCodec {
public:
    TableCodec(const std::array<char16_t, 256>& units, std::uintptr_t number);
    void ToUtf16(std::string_view bytes, std::u16string& out) const override;
    bool FromUtf16(std::u16string_view text, std::string& out) const override;
    bool Matches(std::string_view bytes, std::u16string_view text) const override;
    std::uintptr_t CodePageNumber() const override { return number_; }
    bool OneUnitPerByte() const override { return true; }

private:
    std::array<char16_t, 256> units_;
    std::vector<std::int16_t> bytes_;  // by UTF-16 unit: its byte, or -1
    std::uintptr_t number_;
};

class Utf8Codec final : public LineCodec {
public:
    void ToUtf16(std::string_view bytes, std::u16string& out) const override;
    bool FromUtf16(std::u16string_view text, std::string& out) const override;
    std::uintptr_t CodePageNumber() const override { return 65001; }
    bool OneUnitPerByte() const override { return false; }
};

// The UTF-16 unit of each byte of one of the editor's tables.
std::array<char16_t, 256> TableUnits(CodePage page);
// The codec of one of the editor's tables; made once, shared.
const LineCodec& CodecOf(CodePage page);
const LineCodec& Utf8();

// Conveniences over a codec for one piece of text.
std::u16string ToUtf16(const LineCodec& codec, std::string_view bytes);
std::optional<std::string> FromUtf16(const LineCodec& codec, std::u16string_view text);

// UTF-8 (a file name, a language file) and UTF-16 for the Unicode interface;
// bytes that are no UTF-8 become U+FFFD, unpaired surrogates likewise.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace engine
