#include "module/ui/number_text.hpp"

#include <charconv>

namespace marten {

Text IntToText(std::int32_t value) {
    char digits[16];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    (void)ec;  // 11 characters always fit
    return Text(digits, end);
}

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

constexpr std::uint32_t kMaxDecimalMagnitude = 2147483647u;
constexpr std::size_t kMaxHexDigits = 8;

}  // namespace

std::int32_t TextToInt(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;

    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }

    std::uint32_t magnitude = 0;
    if (at < text.size() && text[at] == '$') {
        ++at;
        const std::size_t digits = text.size() - at;
        if (digits == 0 || digits > kMaxHexDigits) return 0;
        for (; at < text.size(); ++at) {
            const int digit = HexDigitValue(text[at]);
            if (digit < 0) return 0;
            magnitude = (magnitude << 4) | static_cast<std::uint32_t>(digit);
        }
    } else {
        if (at == text.size()) return 0;
        for (; at < text.size(); ++at) {
            const char c = text[at];
            if (c < '0' || c > '9') return 0;
            const auto digit = static_cast<std::uint32_t>(c - '0');
            if (magnitude > (kMaxDecimalMagnitude - digit) / 10) return 0;
            magnitude = magnitude * 10 + digit;
        }
    }

    // Negated as a 32-bit pattern, so "-$80000000" and "$80000000" agree.
    const std::uint32_t pattern = negative ? 0u - magnitude : magnitude;
    return static_cast<std::int32_t>(pattern);
}

}  // namespace marten
