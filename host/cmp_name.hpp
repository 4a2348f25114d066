// The host's file-name comparison: '*' any run, '?' any one character,
// '[...]' one character of a set with ranges ("[a-c]", a '-' at either end
// stands for itself); letters without regard to case, in ASCII and in the
// Cyrillic of code page 866 (an ANSI plug-in passes OEM names), or in the
// Cyrillic of Unicode for UTF-16 names. A '[' that is
// never closed, or is followed at once by ']' ("[]", an empty set), opens no
// set and matches itself; a ']' outside a set matches itself. There is no
// negated set and no escape. The cost is at most pattern length times name
// length, whatever the pattern.
#pragma once

#include <string_view>

namespace host {

// True when `name` matches `pattern`; with `skipPath` only the part of `name`
// after its last '\', '/' or ':' takes part.
bool CmpName(std::string_view pattern, std::string_view name, bool skipPath);
bool CmpName(std::u16string_view pattern, std::u16string_view name, bool skipPath);

// A mask list: masks separated by commas or semicolons (blanks around them
// ignored); those after a '|' exclude. True when `name` matches a mask before
// the '|' (any name, when there is none but a '|' follows) and none after it.
bool CmpNameList(std::u16string_view masks, std::u16string_view name, bool skipPath);

}  // namespace host
