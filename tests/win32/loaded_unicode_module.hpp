// The Unicode face's Marten.dll loaded straight through the Windows loader:
// the entry points the runner calls, through the real x86 or x64 convention
// (the DLL's tables test checks that all eight are exported).
#pragma once

#include "api/unicode_api.hpp"
#include "tests/win32/loaded_library.hpp"

namespace win32_tests {

// The Unicode face's module file (a Windows path: wine maps Z: to /).
const char* UnicodeModulePath();

class LoadedUnicodeModule : public LoadedLibrary {
public:
    LoadedUnicodeModule();

    unicode_api::SetStartupInfoWFn SetStartupInfo = nullptr;
    unicode_api::ProcessEditorInputWFn ProcessEditorInput = nullptr;
};

}  // namespace win32_tests
