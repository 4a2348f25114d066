#include "host/cmp_name.hpp"

#include <algorithm>

#include "common/ascii.hpp"

namespace host {

namespace {

// Upper case of a byte: ASCII letters, and the Cyrillic letters of code page
// 866 (the module passes names in the OEM code page).
unsigned char Upper(unsigned char c) {
    if (c < 0x80) return ascii::ToUpper(c);
    if (c >= 0xA0 && c <= 0xAF) return static_cast<unsigned char>(c - 0xA0 + 0x80);  // а..п
    if (c >= 0xE0 && c <= 0xEF) return static_cast<unsigned char>(c - 0xE0 + 0x90);  // р..я
    if (c >= 0xF0 && c <= 0xF7 && (c & 1) != 0)
        return static_cast<unsigned char>(c - 1);  // ё є ї ў
    return c;
}

unsigned char Lower(unsigned char c) {
    if (c < 0x80) return ascii::ToLower(c);
    if (c >= 0x80 && c <= 0x8F) return static_cast<unsigned char>(c - 0x80 + 0xA0);
    if (c >= 0x90 && c <= 0x9F) return static_cast<unsigned char>(c - 0x90 + 0xE0);
    if (c >= 0xF0 && c <= 0xF7 && (c & 1) == 0) return static_cast<unsigned char>(c + 1);
    return c;
}

// The same for UTF-16 names: ASCII and the Cyrillic letters, Ё and the rest
// of U+0400..U+040F included.
char16_t Upper(char16_t c) {
    if (c < 0x80) return ascii::ToUpper(static_cast<char>(c));
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    return c;
}

char16_t Lower(char16_t c) {
    if (c < 0x80) return ascii::ToLower(static_cast<char>(c));
    if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
    return c;
}

template <class Unit>
bool SameLetter(Unit a, Unit b) {
    return Upper(a) == Upper(b);
}

// The end of the set that opens at `open` (the index of its ']'), or npos when
// the '[' opens no set: it is unclosed, or "[]" (an empty set is no set).
template <class View>
std::size_t SetEnd(View pattern, std::size_t open) {
    if (open + 1 < pattern.size() && pattern[open + 1] == ']') return View::npos;
    return pattern.find(']', open + 1);
}

// True when `c` is one of `set`, the text between the brackets: single
// characters and ranges "a-c"; a '-' at either end stands for itself.
template <class View, class Unit>
bool InSet(View set, Unit c) {
    const Unit forms[] = {c, Upper(c), Lower(c)};
    for (std::size_t i = 0; i < set.size(); ++i) {
        const auto low = static_cast<Unit>(set[i]);
        if (i + 2 < set.size() && set[i + 1] == '-') {
            const auto high = static_cast<Unit>(set[i + 2]);
            for (Unit form : forms) {
                if (form >= low && form <= high) return true;
            }
            i += 2;
        } else if (SameLetter(low, c)) {
            return true;
        }
    }
    return false;
}

// Matches one pattern element at `p` against the byte `c`; on a match `next`
// is the index of the element after it.
template <class View, class Unit>
bool MatchOne(View pattern, std::size_t p, Unit c, std::size_t& next) {
    const auto element = pattern[p];
    if (element == '?') {
        next = p + 1;
        return true;
    }
    if (element == '[') {
        const std::size_t end = SetEnd(pattern, p);
        if (end != View::npos) {
            next = end + 1;
            return InSet(pattern.substr(p + 1, end - p - 1), c);
        }
    }
    next = p + 1;
    return SameLetter(static_cast<Unit>(element), c);
}

// Greedy matching that, on a mismatch, lets the last '*' take one more
// character and retries from there. Earlier stars never need to be revisited,
// so the cost stays within pattern length times name length.
template <class Unit, class View>
bool Match(View pattern, View name, bool skipPath) {
    if (skipPath) {
        std::size_t cut = View::npos;
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (name[i] == '\\' || name[i] == '/' || name[i] == ':') cut = i;
        }
        if (cut != View::npos) name.remove_prefix(cut + 1);
    }
    std::size_t p = 0, n = 0;
    std::size_t starP = View::npos, starN = 0;
    while (n < name.size()) {
        std::size_t next = 0;
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && MatchOne(pattern, p, static_cast<Unit>(name[n]), next)) {
            p = next;
            ++n;
        } else if (starP != View::npos) {
            p = starP;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool CmpName(std::string_view pattern, std::string_view name, bool skipPath) {
    return Match<unsigned char>(pattern, name, skipPath);
}

bool CmpName(std::u16string_view pattern, std::u16string_view name, bool skipPath) {
    return Match<char16_t>(pattern, name, skipPath);
}

bool CmpNameList(std::u16string_view masks, std::u16string_view name, bool skipPath) {
    const std::size_t bar = masks.find(u'|');
    // Whether a mask of `list` matches; `none` when it holds no mask.
    const auto any = [&](std::u16string_view list, bool none) {
        bool seen = false;
        while (!list.empty()) {
            const std::size_t end = std::min(list.find(u','), list.find(u';'));
            std::u16string_view mask = list.substr(0, end);
            list.remove_prefix(end == std::u16string_view::npos ? list.size() : end + 1);
            while (!mask.empty() && mask.front() == u' ') mask.remove_prefix(1);
            while (!mask.empty() && mask.back() == u' ') mask.remove_suffix(1);
            if (mask.empty()) continue;
            seen = true;
            if (CmpName(mask, name, skipPath)) return true;
        }
        return !seen && none;
    };
    // Without a mask before the '|' every name is included, but an empty list is no list.
    if (!any(masks.substr(0, bar), bar != std::u16string_view::npos)) return false;
    return bar == std::u16string_view::npos || !any(masks.substr(bar + 1), false);
}

}  // namespace host
