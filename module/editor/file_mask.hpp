// The activation test: the file name of the editor against the list of masks,
// split as every face splits it; each face asks its host to compare an item.
#pragma once

#include <cstddef>
#include <cstdint>

#include "module/runtime/text.hpp"

namespace marten {

// Cuts the next item out of the comma-separated `mask`, starting at the
// 1-based position `pos`, and moves `pos` past the comma that ends it. A comma
// between '[' and the next ']' belongs to the item ('[]' opens no bracket);
// blanks belong to the item. False (and `item` empty) when no item is left.
template <class C>
bool NextMaskItem(const BasicText<C>& mask, BasicText<C>& item, int& pos) {
    item.clear();
    const auto length = static_cast<std::int64_t>(mask.size());
    if (mask.empty() || pos > length) return false;
    if (pos <= 0) pos = 1;
    bool inBracket = false;
    while (pos <= length) {
        const C c = mask[static_cast<std::size_t>(pos - 1)];
        if (c == C(',') && !inBracket) break;
        if (c == C('[') && (pos == length || mask[static_cast<std::size_t>(pos)] != C(']'))) {
            inBracket = true;
        }
        if (c == C(']')) inBracket = false;
        item += c;
        ++pos;
    }
    ++pos;  // over the comma, or past the end
    return true;
}

// True when `matches` (the host's comparison of one mask with the name)
// holds for one item of `mask`.
template <class C, class Matches>
bool AnyMaskItemMatches(const BasicText<C>& mask, Matches matches) {
    int pos = 1;
    BasicText<C> item;
    while (NextMaskItem(mask, item, pos)) {
        if (matches(item)) return true;
    }
    return false;
}

}  // namespace marten
