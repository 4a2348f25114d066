// Code addresses as the fatal error report prints them: on Windows as wide
// as a pointer (8 hexadecimal digits in the x86 build, 16 in the x64 one),
// natively 32 bits.
#pragma once

#include <cstdint>

namespace marten {

#ifdef _WIN32
using CodeAddress = std::uintptr_t;
#else
using CodeAddress = std::uint32_t;
#endif

// The hexadecimal digits the report prints for an address.
inline constexpr int kCodeAddressDigits = static_cast<int>(2 * sizeof(CodeAddress));

// On Windows the address itself; natively its offset from the load address
// of the image that holds it, which fits the eight digits and can be looked
// up in that image's symbols.
CodeAddress ReportedCodeAddress(const void* code);

}  // namespace marten
