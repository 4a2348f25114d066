#include "tests/win32/loaded_module3.hpp"

#include <windows.h>

namespace win32_tests {

const char* UnicodeModulePath() { return MARTEN_UNICODE_MODULE_PATH; }

namespace {

template <class Fn>
void Resolve(HMODULE module, const char* name, Fn& fn, std::string& error) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (fn == nullptr) error += std::string(error.empty() ? "" : ", ") + "no export " + name;
}

}  // namespace

LoadedModule3::LoadedModule3() {
    // The wide loader, as the Unicode host loads its plug-ins.
    const std::string narrow = UnicodeModulePath();
    const std::wstring path(narrow.begin(), narrow.end());
    module_ = LoadLibraryW(path.c_str());
    if (module_ == nullptr) {
        error_ = "LoadLibraryW(" + narrow + ") failed, error " + std::to_string(GetLastError());
        return;
    }
    Resolve(module_, "GetGlobalInfoW", GetGlobalInfo, error_);
    Resolve(module_, "SetStartupInfoW", SetStartupInfo, error_);
    Resolve(module_, "GetPluginInfoW", GetPluginInfo, error_);
    Resolve(module_, "OpenW", Open, error_);
    Resolve(module_, "ConfigureW", Configure, error_);
    Resolve(module_, "ProcessEditorInputW", ProcessEditorInput, error_);
    Resolve(module_, "ProcessEditorEventW", ProcessEditorEvent, error_);
    Resolve(module_, "ExitFARW", ExitFAR, error_);
}

LoadedModule3::~LoadedModule3() {
    if (module_ != nullptr) FreeLibrary(module_);
}

}  // namespace win32_tests
