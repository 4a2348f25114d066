// The number fields of the settings dialog: integers shown as text and the
// text the user typed read back as an integer.
#pragma once

#include <cstdint>
#include <string_view>

#include "module/runtime/text.hpp"

namespace marten {

// Decimal, with '-' in front of a negative number, no blanks, no leading zeros.
Text IntToText(std::int32_t value);

// Leading blanks (spaces only), an optional sign, then decimal digits or '$'
// and one to eight hexadecimal digits (a 32-bit pattern), running to the end.
// Anything else, and a decimal magnitude above 2147483647, gives 0.
std::int32_t TextToInt(std::string_view text);

}  // namespace marten
