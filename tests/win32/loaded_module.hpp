// marten.dll, the 1.x face, loaded straight through the Windows loader: its
// five entry points called through the real __stdcall convention.
#pragma once

#include "api/ansi_api.hpp"
#include "tests/win32/loaded_library.hpp"

namespace win32_tests {

// The module file the runner tests (a Windows path: wine maps Z: to /).
const char* ModulePath();

class LoadedModule : public LoadedLibrary {
public:
    LoadedModule();

    SetStartupInfoFn SetStartupInfo = nullptr;
    GetPluginInfoFn GetPluginInfo = nullptr;
    ProcessEditorInputFn ProcessEditorInput = nullptr;
    OpenPluginFn OpenPlugin = nullptr;
    ConfigureFn Configure = nullptr;
};

}  // namespace win32_tests
