// A loaded module file: dlopen natively, LoadLibraryA on Win32. The only
// platform-specific part of the host; everything above it is portable.
#pragma once

#include <memory>
#include <string>

namespace host {

class ModuleLibrary {
public:
    // Loads the file at `path`; on failure null, and `error` holds the
    // system's own explanation (dlerror, or the text of GetLastError).
    static std::unique_ptr<ModuleLibrary> Open(const std::string& path, std::string* error);

    ~ModuleLibrary();  // unloads the file
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    // The address of the exported symbol `name`, or null when it is not exported.
    void* Symbol(const char* name) const;

private:
    explicit ModuleLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace host
