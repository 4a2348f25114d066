// The Unicode face's Marten.dll loaded straight through the Windows loader:
// its eight entry points called through the real x86 or x64 convention.
#pragma once

#include <string>

#include "api/plugin_api3.hpp"

namespace win32_tests {

// The Unicode face's module file (a Windows path: wine maps Z: to /).
const char* UnicodeModulePath();

class LoadedModule3 {
public:
    // Loads the module; `Loaded()` says whether it worked, `Error()` why not.
    LoadedModule3();
    ~LoadedModule3();  // FreeLibrary: the next load starts from fresh state
    LoadedModule3(const LoadedModule3&) = delete;
    LoadedModule3& operator=(const LoadedModule3&) = delete;

    bool Loaded() const { return module_ != nullptr && error_.empty(); }
    const std::string& Error() const { return error_; }

    api3::GetGlobalInfoWFn GetGlobalInfo = nullptr;
    api3::SetStartupInfoWFn SetStartupInfo = nullptr;
    api3::GetPluginInfoWFn GetPluginInfo = nullptr;
    api3::OpenWFn Open = nullptr;
    api3::ConfigureWFn Configure = nullptr;
    api3::ProcessEditorInputWFn ProcessEditorInput = nullptr;
    api3::ProcessEditorEventWFn ProcessEditorEvent = nullptr;
    api3::ExitFARWFn ExitFAR = nullptr;

private:
    HMODULE module_ = nullptr;
    std::string error_;
};

}  // namespace win32_tests
