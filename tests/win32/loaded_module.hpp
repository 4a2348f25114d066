// marten.dll loaded straight through the Windows loader, without the host
// library: for the checks of the raw interface (calling convention, records,
// registry) that must not depend on how our host drives the module.
#pragma once

#include <string>

#include "api/ansi_api.hpp"

namespace win32_tests {

// Looks `name` up among the module's exports into `fn`; a missing one is
// added to `error`.
template <class Fn>
void ResolveExport(HMODULE module, const char* name, Fn& fn, std::string& error) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (fn == nullptr) error += std::string(error.empty() ? "" : ", ") + "no export " + name;
}

// The module file the runner tests (a Windows path: wine maps Z: to /).
const char* ModulePath();

class LoadedModule {
public:
    // Loads the module; `Loaded()` says whether it worked, `Error()` why not.
    LoadedModule();
    ~LoadedModule();  // FreeLibrary: the next load starts from fresh state
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool Loaded() const { return module_ != nullptr && error_.empty(); }
    const std::string& Error() const { return error_; }

    SetStartupInfoFn SetStartupInfo = nullptr;
    GetPluginInfoFn GetPluginInfo = nullptr;
    ProcessEditorInputFn ProcessEditorInput = nullptr;
    OpenPluginFn OpenPlugin = nullptr;
    ConfigureFn Configure = nullptr;

    // The raw addresses of the exports, for calls that count stack bytes.
    void* Address(const char* name) const;

private:
    HMODULE module_ = nullptr;
    std::string error_;
};

}  // namespace win32_tests
