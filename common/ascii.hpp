// Letters of ASCII without regard to case, for the names that the file
// formats and the host's services compare that way: registry keys and values,
// key names in key scripts, language ids, file masks. Only A-Z and a-z are
// letters here; what the other bytes of a code page mean is the caller's.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ascii {

// An ASCII capital in small; any other character (char, unsigned char,
// char32_t, ...) as it is.
template <typename Char>
constexpr Char ToLower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

// An ASCII small letter as a capital; any other character as it is.
template <typename Char>
constexpr Char ToUpper(Char c) {
    return c >= Char('a') && c <= Char('z') ? static_cast<Char>(c - Char('a') + Char('A')) : c;
}

constexpr bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToLower(a[i]) != ToLower(b[i])) return false;
    }
    return true;
}

constexpr bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

// The text with its ASCII capitals in small, as a key for a map.
inline std::string LowerCopy(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = ToLower(c);
    return lower;
}

}  // namespace ascii
