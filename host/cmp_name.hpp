// The host's file-name comparison: '*' any run, '?' any one character,
// '[...]' one character of a set with ranges; letters without regard to case.
#pragma once

#include <string_view>

namespace host {

// True when `name` matches `pattern`; with `skipPath` only the part of `name`
// after its last '\', '/' or ':' takes part.
bool CmpName(std::string_view pattern, std::string_view name, bool skipPath);

}  // namespace host
