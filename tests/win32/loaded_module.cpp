#include "tests/win32/loaded_module.hpp"

namespace win32_tests {

const char* ModulePath() { return MARTEN_WIN32_MODULE_PATH; }

LoadedModule::LoadedModule() {
    const HMODULE module = LoadLibraryA(ModulePath());
    const DWORD error = GetLastError();
    Take(module, error, "LoadLibraryA", ModulePath());
    Resolve("SetStartupInfo", SetStartupInfo);
    Resolve("GetPluginInfo", GetPluginInfo);
    Resolve("ProcessEditorInput", ProcessEditorInput);
    Resolve("OpenPlugin", OpenPlugin);
    Resolve("Configure", Configure);
}

}  // namespace win32_tests
