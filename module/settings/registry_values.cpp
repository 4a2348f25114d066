#include "module/settings/registry_values.hpp"

#include <algorithm>
#include <cstring>

namespace marten {

namespace {

constexpr DWORD kStringRoom = 256;
constexpr std::size_t kMaxStringLength = 255;

// Sets one value under the key and closes the key again.
void WriteValue(HKEY root, const Text& path, const char* name, DWORD type, const BYTE* data,
                DWORD size) {
    HKEY key = OpenKeyForWrite(root, path);
    if (key == nullptr) return;
    RegSetValueExA(key, name, 0, type, data, size);
    RegCloseKey(key);
}

}  // namespace

HKEY OpenKeyForWrite(HKEY root, const Text& path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG status = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_WRITE, nullptr, &key, &disposition);
    return status == ERROR_SUCCESS ? key : nullptr;
}

HKEY OpenKeyForRead(HKEY root, const Text& path) {
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key);
    return status == ERROR_SUCCESS ? key : nullptr;
}

void WriteBytesValue(HKEY root, const Text& path, const char* name, const void* data, DWORD size) {
    WriteValue(root, path, name, REG_BINARY, static_cast<const BYTE*>(data), size);
}

bool ReadBytesValue(HKEY root, const Text& path, const char* name, void* field, DWORD room) {
    HKEY key = OpenKeyForRead(root, path);
    if (key == nullptr) return false;
    // The query goes into a zeroed scratch buffer, so a failed query leaves
    // the field as it was and short data leaves the rest of it zero. The
    // scratch caps the query, whatever the room: longer data is not read.
    BYTE scratch[kStringRoom] = {};
    const DWORD capped = std::min(room, kStringRoom);
    DWORD size = capped;
    const LONG status = RegQueryValueExA(key, name, nullptr, nullptr, scratch, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || size > capped) return false;
    std::memcpy(field, scratch, capped);
    std::memset(static_cast<BYTE*>(field) + capped, 0, room - capped);
    return true;
}

void WriteDwordValue(HKEY root, const Text& path, const char* name, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const BYTE data[4] = {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8),
                          static_cast<BYTE>(bits >> 16), static_cast<BYTE>(bits >> 24)};
    WriteValue(root, path, name, REG_DWORD, data, sizeof data);
}

bool ReadDwordValue(HKEY root, const Text& path, const char* name, std::int32_t& field) {
    BYTE data[4] = {};
    if (!ReadBytesValue(root, path, name, data, sizeof data)) return false;
    const std::uint32_t bits = std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 |
                               std::uint32_t{data[2]} << 16 | std::uint32_t{data[3]} << 24;
    field = static_cast<std::int32_t>(bits);
    return true;
}

void WriteStringValue(HKEY root, const Text& path, const char* name, const Text& value) {
    // c_str() supplies the terminating NUL that the size counts.
    WriteValue(root, path, name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
               static_cast<DWORD>(value.size() + 1));
}

bool ReadStringValue(HKEY root, const Text& path, const char* name, Text& field) {
    char data[kStringRoom] = {};
    if (!ReadBytesValue(root, path, name, data, sizeof data)) return false;
    // The scratch was zeroed, so the scan stops at the end of the returned data.
    field.assign(data, std::find(data, data + kMaxStringLength, '\0'));
    return true;
}

}  // namespace marten
