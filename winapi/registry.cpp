// The registry services over the registry file. Only HKEY_CURRENT_USER is a
// root; any other predefined key answers ERROR_INVALID_HANDLE. A handle is
// an index into the table of open keys, never a pointer, so a forged or
// stale handle is recognised and answered with ERROR_INVALID_HANDLE. Every
// call reads the file anew; the file's place is looked up at every open.
#include <cstdint>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "winapi/registry_file.hpp"
#include "winapi/win32.hpp"

namespace {

constexpr char kRootName[] = "HKEY_CURRENT_USER";

// Handles are multiples of four above this base, as Windows' own are.
constexpr std::uintptr_t kHandleBase = 0x1000;

constexpr REGSAM kQueryAccess = KEY_QUERY_VALUE;
constexpr REGSAM kSetAccess = KEY_SET_VALUE;
constexpr REGSAM kAllAccess = KEY_ALL_ACCESS;

struct OpenKey {
    std::string file;     // the registry file at the time of the open
    std::string section;  // full path, e.g. HKEY_CURRENT_USER\Software\X
    REGSAM access = 0;
};

std::mutex tableLock;
std::vector<std::optional<OpenKey>> openKeys;

HKEY HandleOfSlot(std::size_t slot) {
    return reinterpret_cast<HKEY>(kHandleBase + 4 * slot);
}

// The table slot a handle names, if it has the form of one of ours.
std::optional<std::size_t> SlotOfHandle(HKEY key) {
    const auto value = reinterpret_cast<std::uintptr_t>(key);
    if (value < kHandleBase || (value - kHandleBase) % 4 != 0) return std::nullopt;
    return (value - kHandleBase) / 4;
}

// The open key behind a handle, copied out under the table's lock; nullopt
// for HKEY_CURRENT_USER (see IsRoot) and for a handle that names no key.
std::optional<OpenKey> LookUp(HKEY key) {
    const auto found = SlotOfHandle(key);
    if (!found) return std::nullopt;
    const std::size_t slot = *found;
    std::lock_guard<std::mutex> guard(tableLock);
    if (slot >= openKeys.size() || !openKeys[slot]) return std::nullopt;
    return openKeys[slot];
}

bool IsRoot(HKEY key) { return key == HKEY_CURRENT_USER; }

HKEY Remember(OpenKey key) {
    std::lock_guard<std::mutex> guard(tableLock);
    for (std::size_t slot = 0; slot < openKeys.size(); ++slot) {
        if (!openKeys[slot]) {
            openKeys[slot] = std::move(key);
            return HandleOfSlot(slot);
        }
    }
    openKeys.push_back(std::move(key));
    return HandleOfSlot(openKeys.size() - 1);
}

// The key a value service works on: an open key, or the root itself.
bool KeyOfHandle(HKEY key, OpenKey* open) {
    if (IsRoot(key)) {
        *open = OpenKey{winreg::RegistryFilePath(), kRootName, kAllAccess};
        return true;
    }
    auto found = LookUp(key);
    if (!found) return false;
    *open = std::move(*found);
    return true;
}

// A name that the file's syntax can carry: no line ends or other controls.
bool IsWritableName(const char* name) {
    for (const char* p = name; *p != '\0'; ++p) {
        if (static_cast<unsigned char>(*p) < 0x20) return false;
    }
    return true;
}

// The section path of `subKey` below the parent's; ERROR_SUCCESS or why not.
LONG ResolveSection(HKEY parent, LPCSTR subKey, std::string* section) {
    std::string base;
    if (IsRoot(parent)) {
        base = kRootName;
    } else if (auto open = LookUp(parent)) {
        base = open->section;
    } else {
        return ERROR_INVALID_HANDLE;
    }
    std::string relative = subKey == nullptr ? std::string() : std::string(subKey);
    while (!relative.empty() && relative.back() == '\\') relative.pop_back();
    if (!relative.empty()) {
        if (relative.front() == '\\' || relative.find("\\\\") != std::string::npos ||
            !IsWritableName(relative.c_str())) {
            return ERROR_BAD_PATHNAME;
        }
        base += '\\';
        base += relative;
    }
    *section = std::move(base);
    return ERROR_SUCCESS;
}

// The registry's own failures are values, and so is a lack of memory: no
// exception leaves these services.
template <class Body>
LONG Guarded(Body body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (...) {
        return ERROR_BADDB;
    }
}

}  // namespace

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR /*keyClass*/, DWORD /*options*/,
                     REGSAM access, void* /*security*/, PHKEY result, LPDWORD disposition) {
    return Guarded([&]() -> LONG {
        if (result == nullptr || reserved != 0) return ERROR_INVALID_PARAMETER;
        *result = nullptr;
        std::string section;
        if (const LONG status = ResolveSection(key, subKey, &section); status != ERROR_SUCCESS) {
            return status;
        }
        const std::string file = winreg::RegistryFilePath();
        bool created = false;
        const LONG status = winreg::ChangeRegistry(
            file, [&](winreg::RegDocument& document, bool* changed) -> LONG {
                if (!winreg::KeyExists(document, section)) {
                    winreg::EnsureKey(document, section);
                    created = *changed = true;
                }
                return ERROR_SUCCESS;
            });
        if (status != ERROR_SUCCESS) return status;
        *result = Remember(OpenKey{file, section, access});
        if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    });
}

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD /*options*/, REGSAM access, PHKEY result) {
    return Guarded([&]() -> LONG {
        if (result == nullptr) return ERROR_INVALID_PARAMETER;
        *result = nullptr;
        std::string section;
        if (const LONG status = ResolveSection(key, subKey, &section); status != ERROR_SUCCESS) {
            return status;
        }
        const std::string file = winreg::RegistryFilePath();
        if (section != kRootName) {
            winreg::RegDocument document;
            if (const LONG status = winreg::ReadRegistry(file, &document); status != ERROR_SUCCESS) {
                return status;
            }
            if (!winreg::KeyExists(document, section)) return ERROR_FILE_NOT_FOUND;
        }
        *result = Remember(OpenKey{file, section, access});
        return ERROR_SUCCESS;
    });
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    return Guarded([&]() -> LONG {
        if (reserved != nullptr || (data != nullptr && dataSize == nullptr)) {
            return ERROR_INVALID_PARAMETER;
        }
        OpenKey open;
        if (!KeyOfHandle(key, &open)) return ERROR_INVALID_HANDLE;
        if ((open.access & kQueryAccess) == 0) return ERROR_ACCESS_DENIED;
        winreg::RegDocument document;
        if (const LONG status = winreg::ReadRegistry(open.file, &document); status != ERROR_SUCCESS) {
            return status;
        }
        const winreg::RegKey* section = winreg::FindKey(document, open.section);
        const winreg::RegEntry* value =
            section ? winreg::FindValue(*section, valueName ? valueName : "") : nullptr;
        if (value == nullptr) return ERROR_FILE_NOT_FOUND;
        const auto size = static_cast<DWORD>(value->data.size());
        if (type) *type = value->type;
        if (data == nullptr) {
            if (dataSize) *dataSize = size;
            return ERROR_SUCCESS;
        }
        // As on Windows: too small a buffer answers ERROR_MORE_DATA with the
        // size needed.
        if (*dataSize < size) {
            *dataSize = size;
            return ERROR_MORE_DATA;
        }
        value->data.copy(reinterpret_cast<char*>(data), size);
        *dataSize = size;
        return ERROR_SUCCESS;
    });
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD /*reserved*/, DWORD type, const BYTE* data,
                    DWORD dataSize) {
    return Guarded([&]() -> LONG {
        if (data == nullptr && dataSize != 0) return ERROR_INVALID_PARAMETER;
        const std::string name = valueName ? valueName : "";
        if (!IsWritableName(name.c_str())) return ERROR_INVALID_PARAMETER;
        OpenKey open;
        if (!KeyOfHandle(key, &open)) return ERROR_INVALID_HANDLE;
        if ((open.access & kSetAccess) == 0) return ERROR_ACCESS_DENIED;
        const std::string_view bytes(reinterpret_cast<const char*>(data), data ? dataSize : 0);
        return winreg::ChangeRegistry(open.file, [&](winreg::RegDocument& document, bool* changed) {
            winreg::SetValue(winreg::EnsureKey(document, open.section), name, type, bytes);
            *changed = true;
            return ERROR_SUCCESS;
        });
    });
}

LONG RegDeleteValueA(HKEY key, LPCSTR valueName) {
    return Guarded([&]() -> LONG {
        OpenKey open;
        if (!KeyOfHandle(key, &open)) return ERROR_INVALID_HANDLE;
        if ((open.access & kSetAccess) == 0) return ERROR_ACCESS_DENIED;
        const std::string name = valueName ? valueName : "";
        return winreg::ChangeRegistry(
            open.file, [&](winreg::RegDocument& document, bool* changed) -> LONG {
                winreg::RegKey* section = winreg::FindKey(document, open.section);
                if (section == nullptr || !winreg::RemoveValue(*section, name)) {
                    return ERROR_FILE_NOT_FOUND;
                }
                *changed = true;
                return ERROR_SUCCESS;
            });
    });
}

LONG RegCloseKey(HKEY key) {
    if (IsRoot(key)) return ERROR_SUCCESS;  // as on Windows, a predefined key may be closed
    const auto slot = SlotOfHandle(key);
    if (!slot) return ERROR_INVALID_HANDLE;
    std::lock_guard<std::mutex> guard(tableLock);
    if (*slot >= openKeys.size() || !openKeys[*slot]) return ERROR_INVALID_HANDLE;
    openKeys[*slot].reset();
    return ERROR_SUCCESS;
}
