#include "engine/text16.hpp"

#include "engine/utf8.hpp"

namespace engine {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char16_t kEscapeBase = 0xDC00;  // a stray byte b stands as U+DC00 + b (b >= 0x80)

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void AppendUtf16(std::u16string& out, char32_t ch) {
    if (ch < 0x10000) {
        out += static_cast<char16_t>(ch);
        return;
    }
    ch -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (ch >> 10));
    out += static_cast<char16_t>(0xDC00 + (ch & 0x3FF));
}

// The character at text[i] (a pair taken whole) and how many units it takes;
// an unpaired surrogate is returned as it stands, with length 1.
char32_t NextCharacter(std::u16string_view text, std::size_t i, std::size_t& length) {
    const char32_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
        length = 2;
        return 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
    }
    length = 1;
    return unit;
}

// Decodes UTF-8 into `out`; each byte that is no UTF-8 goes through `stray`.
template <class Stray>
void DecodeUtf8Into(std::string_view bytes, std::u16string& out, Stray stray) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t ch = 0;
        std::size_t length = 0;
        if (DecodeUtf8(bytes.substr(i), ch, length)) {
            AppendUtf16(out, ch);
            i += length;
        } else {
            stray(static_cast<unsigned char>(bytes[i]));
            ++i;
        }
    }
}

}  // namespace

bool LineCodec::Matches(std::string_view bytes, std::u16string_view text) const {
    std::u16string made;
    ToUtf16(bytes, made);
    return made == text;
}

TableCodec::TableCodec(const std::array<char16_t, 256>& units, std::uintptr_t number)
    : units_(units), bytes_(0x10000, -1), number_(number) {
    for (int b = 0; b < 256; ++b) bytes_[units_[b]] = static_cast<std::int16_t>(b);
}

void TableCodec::ToUtf16(std::string_view bytes, std::u16string& out) const {
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out[start + i] = units_[static_cast<unsigned char>(bytes[i])];
    }
}

bool TableCodec::FromUtf16(std::u16string_view text, std::string& out) const {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::int16_t byte = bytes_[text[i]];
        if (byte < 0) {
            out.resize(start);
            return false;
        }
        out[start + i] = static_cast<char>(byte);
    }
    return true;
}

bool TableCodec::Matches(std::string_view bytes, std::u16string_view text) const {
    if (bytes.size() != text.size()) return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (units_[static_cast<unsigned char>(bytes[i])] != text[i]) return false;
    }
    return true;
}

void Utf8Codec::ToUtf16(std::string_view bytes, std::u16string& out) const {
    DecodeUtf8Into(bytes, out,
                   [&](unsigned char byte) { out += static_cast<char16_t>(kEscapeBase + byte); });
}

bool Utf8Codec::FromUtf16(std::u16string_view text, std::string& out) const {
    const std::size_t start = out.size();
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        const char32_t ch = NextCharacter(text, i, length);
        i += length;
        if (ch >= kEscapeBase + 0x80 && ch <= kEscapeBase + 0xFF) {
            out += static_cast<char>(ch - kEscapeBase);  // a stray byte, as it was read
        } else if (IsHighSurrogate(ch) || IsLowSurrogate(ch)) {
            out.resize(start);
            return false;
        } else {
            AppendUtf8(out, ch);
        }
    }
    return true;
}

std::array<char16_t, 256> TableUnits(CodePage page) {
    std::array<char16_t, 256> units{};
    for (int b = 0; b < 256; ++b) {
        const char32_t ch = ToUnicode(page, static_cast<unsigned char>(b));
        // An undefined byte is the C1 control of its own value, which no
        // defined byte of these tables maps to.
        units[b] = ch == kReplacement || ch > 0xFFFF ? static_cast<char16_t>(b)
                                                     : static_cast<char16_t>(ch);
    }
    return units;
}

const LineCodec& CodecOf(CodePage page) {
    static const TableCodec oem(TableUnits(CodePage::Oem866), 866);
    static const TableCodec ansi(TableUnits(CodePage::Ansi1251), 1251);
    static const TableCodec koi8(TableUnits(CodePage::Koi8r), 20866);
    switch (page) {
    case CodePage::Ansi1251: return ansi;
    case CodePage::Koi8r: return koi8;
    case CodePage::Utf8: return Utf8();
    case CodePage::Oem866: break;
    }
    return oem;
}

const LineCodec& Utf8() {
    static const Utf8Codec codec;
    return codec;
}

std::u16string ToUtf16(const LineCodec& codec, std::string_view bytes) {
    std::u16string out;
    codec.ToUtf16(bytes, out);
    return out;
}

std::optional<std::string> FromUtf16(const LineCodec& codec, std::u16string_view text) {
    std::string out;
    if (!codec.FromUtf16(text, out)) return std::nullopt;
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    DecodeUtf8Into(utf8, out, [&](unsigned char) { out += static_cast<char16_t>(kReplacement); });
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        char32_t ch = NextCharacter(text, i, length);
        i += length;
        if (IsHighSurrogate(ch) || IsLowSurrogate(ch)) ch = kReplacement;
        AppendUtf8(out, ch);
    }
    return out;
}

}  // namespace engine
