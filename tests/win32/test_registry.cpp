#include "tests/win32/test_registry.hpp"

#include <vector>

#include "tests/win32/test_log.hpp"

namespace win32_tests {

namespace {

constexpr const char* kTestsRoot = "Software\\MartenWin32Tests";

class OpenKey {
public:
    OpenKey(const std::string& path, REGSAM access) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~OpenKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

void DeleteTree(const std::string& path) { RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str()); }

}  // namespace

std::string Describe(const std::optional<RegValue>& value) {
    if (!value) return "(missing)";
    std::string type;
    switch (value->type) {
        case REG_SZ: type = "REG_SZ"; break;
        case REG_BINARY: type = "REG_BINARY"; break;
        case REG_DWORD: type = "REG_DWORD"; break;
        default: type = "type " + std::to_string(value->type); break;
    }
    return type + " " + HexBytes(value->bytes);
}

TestRootKey::TestRootKey(const std::string& suffix) {
    static int serial = 0;
    path_ = std::string(kTestsRoot) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++serial);
    DeleteTree(path_);  // a leftover of a killed run
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
    rootKeyText_ = path_ + suffix;
}

TestRootKey::~TestRootKey() {
    DeleteTree(path_);
    // The common parent goes too once the last case of the run has left it.
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestsRoot);
}

std::optional<RegValue> ReadValue(const std::string& key, const char* name) {
    OpenKey open(key, KEY_QUERY_VALUE);
    if (open.get() == nullptr) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(open.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<BYTE> data(size + 1);
    if (RegQueryValueExA(open.get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return RegValue{type, std::string(reinterpret_cast<const char*>(data.data()), size)};
}

bool WriteValue(const std::string& key, const char* name, const RegValue& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status =
        RegSetValueExA(handle, name, 0, value.type,
                       reinterpret_cast<const BYTE*>(value.bytes.data()),
                       static_cast<DWORD>(value.bytes.size()));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

std::optional<DWORD> ValueCount(const std::string& key) {
    OpenKey open(key, KEY_QUERY_VALUE);
    if (open.get() == nullptr) return std::nullopt;
    DWORD values = 0;
    if (RegQueryInfoKeyA(open.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return values;
}

std::optional<std::uint64_t> LastWriteTime(const std::string& key) {
    OpenKey open(key, KEY_QUERY_VALUE);
    if (open.get() == nullptr) return std::nullopt;
    FILETIME time{};
    if (RegQueryInfoKeyA(open.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, &time) != ERROR_SUCCESS)
        return std::nullopt;
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

RegValue BinaryValue(std::string bytes) { return RegValue{REG_BINARY, std::move(bytes)}; }

RegValue DwordValue(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return RegValue{REG_DWORD, bytes};
}

RegValue StringValue(const std::string& text) { return RegValue{REG_SZ, text + std::string(1, '\0')}; }

}  // namespace win32_tests
