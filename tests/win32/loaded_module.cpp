#include "tests/win32/loaded_module.hpp"

namespace win32_tests {

const char* ModulePath() { return MARTEN_WIN32_MODULE_PATH; }

LoadedModule::LoadedModule() {
    module_ = LoadLibraryA(ModulePath());
    if (module_ == nullptr) {
        error_ = std::string("LoadLibraryA(") + ModulePath() + ") failed, error " +
                 std::to_string(GetLastError());
        return;
    }
    ResolveExport(module_, "SetStartupInfo", SetStartupInfo, error_);
    ResolveExport(module_, "GetPluginInfo", GetPluginInfo, error_);
    ResolveExport(module_, "ProcessEditorInput", ProcessEditorInput, error_);
    ResolveExport(module_, "OpenPlugin", OpenPlugin, error_);
    ResolveExport(module_, "Configure", Configure, error_);
}

LoadedModule::~LoadedModule() {
    if (module_ != nullptr) FreeLibrary(module_);
}

void* LoadedModule::Address(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(module_, name));
}

}  // namespace win32_tests
