// The activation test: the file name of the editor against the list of masks.
#pragma once

#include "module/runtime/text.hpp"

namespace marten {

// Cuts the next item out of the comma-separated `mask`, starting at the
// 1-based position `pos`, and moves `pos` past the comma that ends it. A comma
// between '[' and the next ']' belongs to the item ('[]' opens no bracket);
// blanks belong to the item. False (and `item` empty) when no item is left.
bool NextMaskItem(const Text& mask, Text& item, int& pos);

// True when `name` matches one item of `mask` by the host's name comparison,
// the directory part of `name` left out. Without the host's service, nothing matches.
bool FileMaskMatch(const Text& mask, const Text& name);

}  // namespace marten
