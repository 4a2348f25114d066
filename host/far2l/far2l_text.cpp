#include "host/far2l/far2l_text.hpp"

#include "engine/text16.hpp"

namespace host {

namespace {

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::wstring WideOf(std::u16string_view units) {
    std::wstring text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (IsHigh(u) && i + 1 < units.size() && IsLow(units[i + 1])) {
            text += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (IsHigh(u) || IsLow(u)) {
            text += L'\xFFFD';
        } else {
            text += static_cast<wchar_t>(u);
        }
    }
    return text;
}

std::u16string Utf16OfWide(std::wstring_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code >= 0x10000 && code <= 0x10FFFF) {
            units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            units += u'\xFFFD';
        } else {
            units += static_cast<char16_t>(code);
        }
    }
    return units;
}

std::wstring WideOfUtf8(std::string_view bytes) { return WideOf(engine::Utf8ToUtf16(bytes)); }

std::string Utf8OfWide(std::wstring_view text) { return engine::Utf16ToUtf8(Utf16OfWide(text)); }

int CharColumn(std::u16string_view line, int units) {
    int chars = 0;
    int at = 0;
    while (at < units) {
        const auto i = static_cast<std::size_t>(at);
        const bool pair = i + 1 < line.size() && IsHigh(line[i]) && IsLow(line[i + 1]);
        at += pair && at + 1 < units ? 2 : 1;
        ++chars;
    }
    return chars;
}

int UnitColumn(std::u16string_view line, int chars) {
    int units = 0;
    for (int c = 0; c < chars; ++c) {
        const auto i = static_cast<std::size_t>(units);
        const bool pair = i + 1 < line.size() && IsHigh(line[i]) && IsLow(line[i + 1]);
        units += pair ? 2 : 1;
    }
    return units;
}

std::wstring_view WideView(const wchar_t* text) {
    return text != nullptr ? std::wstring_view(text) : std::wstring_view();
}

}  // namespace host
