// The system's ANSI code page in UTF-16, for the settings taken over from the
// registry. Natively the host of our own keeps registry text in code page
// 1251, the ANSI page of a Russian system.
#include "module/unicode/settings_store.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace marten::unicode {

#ifdef _WIN32

UnicodeText AnsiToUnicode(const Text& ansi) {
    if (ansi.empty()) return UnicodeText();
    const int length = static_cast<int>(ansi.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (units <= 0) return UnicodeText();
    UnicodeText text(static_cast<std::size_t>(units), WChar(0));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, text.data(), units);
    return text;
}

#else

namespace {

// Code page 1251 from 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F. 0x98
// holds no character.
constexpr char16_t kUpperPart[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

}  // namespace

UnicodeText AnsiToUnicode(const Text& ansi) {
    UnicodeText text;
    text.reserve(ansi.size());
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += static_cast<WChar>(byte);
        } else if (byte < 0xC0) {
            text += kUpperPart[byte - 0x80];
        } else {
            text += static_cast<WChar>(0x0410 + (byte - 0xC0));
        }
    }
    return text;
}

#endif

}  // namespace marten::unicode
