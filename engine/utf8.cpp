#include "engine/utf8.hpp"

namespace engine {

bool DecodeUtf8(std::string_view text, char32_t& ch, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t extra = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        ch = lead;
        length = 1;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        ch = lead & 0x1F, extra = 1, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        ch = lead & 0x0F, extra = 2, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        ch = lead & 0x07, extra = 3, least = 0x10000;
    } else {
        return false;
    }
    if (text.size() <= extra) return false;
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return false;
        ch = (ch << 6) | (next & 0x3F);
    }
    if (ch < least || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) return false;
    length = extra + 1;
    return true;
}

void AppendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

}  // namespace engine
