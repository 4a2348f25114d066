// A module loaded straight through the Windows loader, without the host
// library, its exports looked up by name: what the checks of each face's raw
// interface (calling convention, records, registry) stand on.
#pragma once

#include <windows.h>

#include <string>

namespace win32_tests {

class LoadedLibrary {
public:
    ~LoadedLibrary();  // FreeLibrary: the next load starts from fresh state
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    // Whether the load and every lookup worked, and why not.
    bool Loaded() const { return module_ != nullptr && error_.empty(); }
    const std::string& Error() const { return error_; }

    // The raw address of an export, for calls that count stack bytes.
    void* Address(const char* name) const;

protected:
    LoadedLibrary() = default;

    // Takes what `loader` made of `path`; `lastError` is the loader's
    // GetLastError, read before anything else could change it.
    void Take(HMODULE module, DWORD lastError, const char* loader, const std::string& path);

    // Looks `name` up among the exports into `fn`; a missing one is added to the error.
    template <class Fn>
    void Resolve(const char* name, Fn& fn) {
        fn = reinterpret_cast<Fn>(Address(name));
        if (fn == nullptr && module_ != nullptr) {
            error_ += std::string(error_.empty() ? "" : ", ") + "no export " + name;
        }
    }

private:
    HMODULE module_ = nullptr;
    std::string error_;
};

}  // namespace win32_tests
