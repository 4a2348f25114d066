// Text, the module's string: bytes of single-byte characters with an
// explicit length (a zero byte is a character like any other), on the
// module's own heap. Positions in a Text that the rules count are 1-based
// where their names say so (FirstMark, LastMark); indices into it are 0-based.
#pragma once

#include <string>

#include "module/runtime/heap.hpp"

namespace marten {

using Text = std::basic_string<char, std::char_traits<char>, ModuleAllocator<char>>;

}  // namespace marten
