#include "tests/win32/loaded_unicode_module.hpp"

namespace win32_tests {

const char* UnicodeModulePath() { return MARTEN_UNICODE_MODULE_PATH; }

LoadedUnicodeModule::LoadedUnicodeModule() {
    // LoadLibraryW, as the Unicode host loads its plug-ins.
    const std::string narrow = UnicodeModulePath();
    const std::wstring path(narrow.begin(), narrow.end());
    const HMODULE module = LoadLibraryW(path.c_str());
    const DWORD error = GetLastError();
    Take(module, error, "LoadLibraryW", narrow);
    Resolve("SetStartupInfoW", SetStartupInfo);
    Resolve("ProcessEditorInputW", ProcessEditorInput);
}

}  // namespace win32_tests
