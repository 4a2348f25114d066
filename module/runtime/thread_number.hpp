// Thread numbers for the fatal error report: 1 for the thread that loaded
// the module, the next free number for every other thread on its first use.
#pragma once

#include <cstdint>

namespace marten {

std::uint32_t ThreadNumber();

}  // namespace marten
