// Code addresses as the fatal error report prints them: 32 bits wide.
#pragma once

#include <cstdint>

namespace marten {

// On 32-bit Windows the address itself; in a 64-bit build its offset from the
// load address of the image that holds it, which fits the eight digits and
// can be looked up in that image's symbols.
std::uint32_t ReportedCodeAddress(const void* code);

}  // namespace marten
