// The small parsers of the module and the host against reference models
// written for this test in the plainest way: number fields, mask items and
// name matching must agree with their model on every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

// Name matching by plain recursion over (pattern, name) suffixes.
bool ModelMatch(std::string_view p, std::string_view n) {
    if (p.empty()) return n.empty();
    if (p[0] == '*') {
        for (std::size_t k = 0; k <= n.size(); ++k)
            if (ModelMatch(p.substr(1), n.substr(k))) return true;
        return false;
    }
    if (n.empty()) return false;
    const auto c = static_cast<unsigned char>(n[0]);
    if (p[0] == '?') return ModelMatch(p.substr(1), n.substr(1));
    if (p[0] == '[' && !(p.size() > 1 && p[1] == ']')) {
        const std::size_t end = p.find(']', 1);
        if (end != std::string_view::npos) {
            const std::string_view set = p.substr(1, end - 1);
            bool in = false;
            for (std::size_t i = 0; i < set.size(); ++i) {
                const auto low = static_cast<unsigned char>(set[i]);
                if (i + 2 < set.size() && set[i + 1] == '-') {
                    const auto high = static_cast<unsigned char>(set[i + 2]);
                    for (unsigned char form : {c, Fold(c), Unfold(c)})
                        in = in || (form >= low && form <= high);
                    i += 2;
                } else {
                    in = in || Fold(low) == Fold(c);
                }
            }
            return in && ModelMatch(p.substr(end + 1), n.substr(1));
        }
    }
    return Fold(static_cast<unsigned char>(p[0])) == Fold(c) && ModelMatch(p.substr(1), n.substr(1));
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

    // Keep the recursion of the model small; the real matcher has no such limit.
    if (first.size() <= 12 && second.size() <= 24 &&
        host::CmpName(first, second, false) != ModelMatch(first, second))
        std::abort();
    return 0;
}
