#include "tests/win32/loaded_library.hpp"

namespace win32_tests {

LoadedLibrary::~LoadedLibrary() {
    if (module_ != nullptr) FreeLibrary(module_);
}

void LoadedLibrary::Take(HMODULE module, DWORD lastError, const char* loader,
                         const std::string& path) {
    module_ = module;
    if (module_ == nullptr) {
        error_ = std::string(loader) + "(" + path + ") failed, error " + std::to_string(lastError);
    }
}

void* LoadedLibrary::Address(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(module_, name));
}

}  // namespace win32_tests
