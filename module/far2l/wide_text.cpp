// The conversions go through the C library's iconv, which rejects malformed
// input instead of guessing.
#include "module/far2l/wide_text.hpp"

#include <iconv.h>
#include <algorithm>
#include <cstdint>

namespace marten::far2l {

namespace {

// One conversion of a whole text; false when iconv cannot be had or the
// input is not well-formed in its encoding.
template <class From, class To>
bool Convert(const char* toCode, const char* fromCode, const From* input, std::size_t count,
             To& output) {
    const iconv_t cd = ::iconv_open(toCode, fromCode);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    using Unit = typename To::value_type;
    // Room enough for any text: a character takes at most 4 bytes of UTF-8
    // and never more than one wchar_t.
    output.assign(count * 4 / sizeof(Unit) + 1, Unit(0));
    char* in = const_cast<char*>(reinterpret_cast<const char*>(input));
    std::size_t inLeft = count * sizeof(From);
    char* out = reinterpret_cast<char*>(output.data());
    std::size_t outLeft = output.size() * sizeof(Unit);
    const bool converted =
        ::iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
    ::iconv_close(cd);
    if (!converted) return false;
    output.resize(output.size() - outLeft / sizeof(Unit));
    return true;
}

// True when every value of `text` is a character: UTF-8 holds no other.
// iconv lets values beyond U+10FFFF through in either direction.
bool AllCharacters(const WideText& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) {
        const auto value = static_cast<std::uint32_t>(c);
        return value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
    });
}

}  // namespace

std::optional<WideText> FromUtf8(std::string_view bytes) {
    WideText text;
    if (!Convert("WCHAR_T", "UTF-8", bytes.data(), bytes.size(), text) || !AllCharacters(text)) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::string> ToUtf8(const WideText& text) {
    std::string bytes;
    if (!AllCharacters(text) || !Convert("UTF-8", "WCHAR_T", text.data(), text.size(), bytes)) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace marten::far2l
