// The small parsers of the module and the host against reference models
// written for this test in the plainest way: number fields, mask items and
// name matching must agree with their model on every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/cmp_name.hpp"
#include "module/editor/file_mask.hpp"
#include "module/ui/number_text.hpp"

namespace {

// Number field: blanks, a sign, then decimal digits or '$' and 1..8 hex digits
// to the end; anything else, or a decimal magnitude above 2^31-1, is 0.
std::int32_t ModelTextToInt(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::string digits(s.substr(i));
    const bool hex = !digits.empty() && digits[0] == '$';
    if (hex) digits.erase(0, 1);
    if (digits.empty()) return 0;
    for (char c : digits) {
        const bool ok = hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '9');
        if (!ok) return 0;
    }
    if (hex) {
        if (digits.size() > 8) return 0;
        const auto bits = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
        const std::uint32_t value = negative ? 0u - bits : bits;
        return static_cast<std::int32_t>(value);
    }
    const std::size_t first = digits.find_first_not_of('0');
    const std::string significant = first == std::string::npos ? "0" : digits.substr(first);
    if (significant.size() > 10 || std::stoll(significant) > 2147483647LL) return 0;
    const long long value = std::stoll(significant);
    return static_cast<std::int32_t>(negative ? -value : value);
}

// Mask items: split at commas outside brackets; "[]" opens no bracket; a
// comma at the very end yields no further item.
std::vector<std::string> ModelMaskItems(std::string_view mask) {
    std::vector<std::string> items;
    if (mask.empty()) return items;
    std::string item;
    bool inBracket = false;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const char c = mask[i];
        if (c == ',' && !inBracket) {
            items.push_back(item);
            item.clear();
            continue;
        }
        if (c == '[' && !(i + 1 < mask.size() && mask[i + 1] == ']')) inBracket = true;
        if (c == ']') inBracket = false;
        item += c;
    }
    if (!item.empty() || mask.back() != ',' || inBracket) items.push_back(item);
    return items;
}

unsigned char Fold(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xA0 && c <= 0xAF) return c - 0x20;
    if (c >= 0xE0 && c <= 0xEF) return c - 0x50;
    if (c >= 0xF0 && c <= 0xF7) return c & ~1u;
    return c;
}

unsigned char Unfold(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0x80 && c <= 0x8F) return c + 0x20;
    if (c >= 0x90 && c <= 0x9F) return c + 0x50;
    if (c >= 0xF0 && c <= 0xF7) return c | 1u;
    return c;
}

// One pattern element against one character: '?', a set, or a letter.
// `next` becomes the index of the element after it.
bool ModelElement(std::string_view p, std::size_t i, unsigned char c, std::size_t& next) {
    next = i + 1;
    if (p[i] == '?') return true;
    if (p[i] == '[' && !(i + 1 < p.size() && p[i + 1] == ']')) {
        const std::size_t end = p.find(']', i + 1);
        if (end != std::string_view::npos) {
            next = end + 1;
            const std::string_view set = p.substr(i + 1, end - i - 1);
            bool in = false;
            for (std::size_t k = 0; k < set.size(); ++k) {
                const auto low = static_cast<unsigned char>(set[k]);
                if (k + 2 < set.size() && set[k + 1] == '-') {
                    const auto high = static_cast<unsigned char>(set[k + 2]);
                    for (unsigned char form : {c, Fold(c), Unfold(c)})
                        in = in || (form >= low && form <= high);
                    k += 2;
                } else {
                    in = in || Fold(low) == Fold(c);
                }
            }
            return in;
        }
    }
    return Fold(static_cast<unsigned char>(p[i])) == Fold(c);
}

// Name matching by the plain definition over (pattern, name) suffixes,
// each pair decided once: a '*' takes nothing or one more character.
bool ModelMatch(std::string_view p, std::string_view n) {
    std::vector<signed char> memo((p.size() + 1) * (n.size() + 1), -1);
    std::function<bool(std::size_t, std::size_t)> match = [&](std::size_t i, std::size_t j) {
        signed char& known = memo[i * (n.size() + 1) + j];
        if (known >= 0) return known == 1;
        bool result;
        std::size_t next = 0;
        if (i == p.size()) {
            result = j == n.size();
        } else if (p[i] == '*') {
            result = match(i + 1, j) || (j < n.size() && match(i, j + 1));
        } else {
            result = j < n.size() && ModelElement(p, i, static_cast<unsigned char>(n[j]), next) &&
                     match(next, j + 1);
        }
        known = result ? 1 : 0;
        return result;
    };
    return match(0, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = all.find('\n');
    const std::string_view first = all.substr(0, cut);
    const std::string_view second = cut == std::string_view::npos ? "" : all.substr(cut + 1);

    if (first.size() <= 300 && marten::TextToInt(first) != ModelTextToInt(first)) std::abort();

    const marten::Text mask(first);
    std::vector<std::string> items;
    marten::Text item;
    int pos = 1;
    while (marten::NextMaskItem(mask, item, pos)) {
        items.emplace_back(item);
        if (items.size() > mask.size() + 1) std::abort();  // the scan must move on
    }
    if (items != ModelMaskItems(first)) std::abort();

    // The model's table grows with both lengths; keep it small.
    if (first.size() <= 64 && second.size() <= 256 &&
        host::CmpName(first, second, false) != ModelMatch(first, second))
        std::abort();
    return 0;
}
