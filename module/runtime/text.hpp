// Text, the module's string: bytes of single-byte characters with an
// explicit length (a zero byte is a character like any other), on the
// module's own heap. Positions in a Text that the rules count are 1-based
// where their names say so (FirstMark, LastMark); indices into it are 0-based.
#pragma once

#include <string>

#include "module/runtime/heap.hpp"

namespace marten {

// A line of either interface on the module's heap: the editor's own bytes
// (char) or UTF-16 units.
template <class C>
using BasicText = std::basic_string<C, std::char_traits<C>, ModuleAllocator<C>>;

using Text = BasicText<char>;

}  // namespace marten
