#include "module/runtime/code_address.hpp"

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace marten {

CodeAddress ReportedCodeAddress(const void* code) {
    auto address = reinterpret_cast<std::uintptr_t>(code);
#ifndef _WIN32
    Dl_info info{};
    if (::dladdr(code, &info) != 0 && info.dli_fbase != nullptr) {
        address -= reinterpret_cast<std::uintptr_t>(info.dli_fbase);
    }
#endif
    return static_cast<CodeAddress>(address);
}

}  // namespace marten
