#include "tests/win32/loaded_module.hpp"

namespace win32_tests {

const char* ModulePath() { return MARTEN_WIN32_MODULE_PATH; }

namespace {

template <class Fn>
void Resolve(HMODULE module, const char* name, Fn& fn, std::string& error) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (fn == nullptr) error += std::string(error.empty() ? "" : ", ") + "no export " + name;
}

}  // namespace

LoadedModule::LoadedModule() {
    module_ = LoadLibraryA(ModulePath());
    if (module_ == nullptr) {
        error_ = std::string("LoadLibraryA(") + ModulePath() + ") failed, error " +
                 std::to_string(GetLastError());
        return;
    }
    Resolve(module_, "SetStartupInfo", SetStartupInfo, error_);
    Resolve(module_, "GetPluginInfo", GetPluginInfo, error_);
    Resolve(module_, "ProcessEditorInput", ProcessEditorInput, error_);
    Resolve(module_, "OpenPlugin", OpenPlugin, error_);
    Resolve(module_, "Configure", Configure, error_);
}

LoadedModule::~LoadedModule() {
    if (module_ != nullptr) FreeLibrary(module_);
}

void* LoadedModule::Address(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(module_, name));
}

}  // namespace win32_tests
