#include "tests/win32/loaded_unicode_module.hpp"

#include <windows.h>

#include "tests/win32/loaded_module.hpp"

namespace win32_tests {

const char* UnicodeModulePath() { return MARTEN_UNICODE_MODULE_PATH; }

LoadedUnicodeModule::LoadedUnicodeModule() {
    // The wide loader, as the Unicode host loads its plug-ins.
    const std::string narrow = UnicodeModulePath();
    const std::wstring path(narrow.begin(), narrow.end());
    module_ = LoadLibraryW(path.c_str());
    if (module_ == nullptr) {
        error_ = "LoadLibraryW(" + narrow + ") failed, error " + std::to_string(GetLastError());
        return;
    }
    ResolveExport(module_, "GetGlobalInfoW", GetGlobalInfo, error_);
    ResolveExport(module_, "SetStartupInfoW", SetStartupInfo, error_);
    ResolveExport(module_, "GetPluginInfoW", GetPluginInfo, error_);
    ResolveExport(module_, "OpenW", Open, error_);
    ResolveExport(module_, "ConfigureW", Configure, error_);
    ResolveExport(module_, "ProcessEditorInputW", ProcessEditorInput, error_);
    ResolveExport(module_, "ProcessEditorEventW", ProcessEditorEvent, error_);
    ResolveExport(module_, "ExitFARW", ExitFAR, error_);
}

LoadedUnicodeModule::~LoadedUnicodeModule() {
    if (module_ != nullptr) FreeLibrary(module_);
}

}  // namespace win32_tests
