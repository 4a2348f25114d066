#include "module/runtime/code_address.hpp"

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace marten {

std::uint32_t ReportedCodeAddress(const void* code) {
    auto address = reinterpret_cast<std::uintptr_t>(code);
#ifndef _WIN32
    Dl_info info{};
    if (::dladdr(code, &info) != 0 && info.dli_fbase != nullptr) {
        address -= reinterpret_cast<std::uintptr_t>(info.dli_fbase);
    }
#endif
    return static_cast<std::uint32_t>(address);
}

}  // namespace marten
