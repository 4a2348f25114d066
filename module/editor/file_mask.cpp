#include "module/editor/file_mask.hpp"

#include <cstddef>

#include "module/plugin/host_info.hpp"

namespace marten {

bool NextMaskItem(const Text& mask, Text& item, int& pos) {
    item.clear();
    const auto length = static_cast<std::int64_t>(mask.size());
    if (mask.empty() || pos > length) return false;
    if (pos <= 0) pos = 1;

    bool inBracket = false;
    while (pos <= length) {
        const char c = mask[static_cast<std::size_t>(pos - 1)];
        if (c == ',' && !inBracket) break;
        if (c == '[' && (pos == length || mask[static_cast<std::size_t>(pos)] != ']')) {
            inBracket = true;
        }
        if (c == ']') inBracket = false;
        item += c;
        ++pos;
    }
    ++pos;  // over the comma, or past the end
    return true;
}

bool FileMaskMatch(const Text& mask, const Text& name) {
    int pos = 1;
    Text item;
    while (NextMaskItem(mask, item, pos)) {
        if (HostInfo.CmpName(item.c_str(), name.c_str(), 1) == 1) return true;
    }
    return false;
}

}  // namespace marten
