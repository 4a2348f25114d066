// The Unicode face's Marten.dll loaded straight through the Windows loader:
// its eight entry points called through the real x86 or x64 convention.
#pragma once

#include <string>

#include "api/unicode_api.hpp"

namespace win32_tests {

// The Unicode face's module file (a Windows path: wine maps Z: to /).
const char* UnicodeModulePath();

class LoadedUnicodeModule {
public:
    // Loads the module; `Loaded()` says whether it worked, `Error()` why not.
    LoadedUnicodeModule();
    ~LoadedUnicodeModule();  // FreeLibrary: the next load starts from fresh state
    LoadedUnicodeModule(const LoadedUnicodeModule&) = delete;
    LoadedUnicodeModule& operator=(const LoadedUnicodeModule&) = delete;

    bool Loaded() const { return module_ != nullptr && error_.empty(); }
    const std::string& Error() const { return error_; }

    unicode_api::GetGlobalInfoWFn GetGlobalInfo = nullptr;
    unicode_api::SetStartupInfoWFn SetStartupInfo = nullptr;
    unicode_api::GetPluginInfoWFn GetPluginInfo = nullptr;
    unicode_api::OpenWFn Open = nullptr;
    unicode_api::ConfigureWFn Configure = nullptr;
    unicode_api::ProcessEditorInputWFn ProcessEditorInput = nullptr;
    unicode_api::ProcessEditorEventWFn ProcessEditorEvent = nullptr;
    unicode_api::ExitFARWFn ExitFAR = nullptr;

private:
    HMODULE module_ = nullptr;
    std::string error_;
};

}  // namespace win32_tests
