// The runner's access to wine's real registry: a root key of its own for each
// case below HKEY_CURRENT_USER, created empty and deleted with everything
// below it afterwards, and raw reads and writes of values with their types.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <windows.h>

namespace win32_tests {

struct RegValue {
    DWORD type = REG_NONE;
    std::string bytes;  // the stored data, byte for byte
    bool operator==(const RegValue&) const = default;
};

// "REG_BINARY 01" and the like, for messages.
std::string Describe(const std::optional<RegValue>& value);

class TestRootKey {
public:
    // `suffix` is appended to the root key text as it stands (a trailing
    // backslash, for instance); the key itself is made without it.
    explicit TestRootKey(const std::string& suffix = "");
    ~TestRootKey();  // deletes the key and everything below it
    TestRootKey(const TestRootKey&) = delete;
    TestRootKey& operator=(const TestRootKey&) = delete;

    // The RootKey text that the host hands the module.
    const char* RootKey() const { return rootKeyText_.c_str(); }
    // Where the module keeps its settings below that root.
    std::string SettingsKey() const { return path_ + "\\Tansy\\Marten"; }

private:
    std::string path_;
    std::string rootKeyText_;
};

std::optional<RegValue> ReadValue(const std::string& key, const char* name);
bool WriteValue(const std::string& key, const char* name, const RegValue& value);

// The number of values of the key; nullopt when it cannot be opened.
std::optional<DWORD> ValueCount(const std::string& key);

// The key's last write time in 100 ns ticks; nullopt when it cannot be opened.
std::optional<std::uint64_t> LastWriteTime(const std::string& key);

// Typed values as the module stores them.
RegValue BinaryValue(std::string bytes);
RegValue DwordValue(std::uint32_t value);
RegValue StringValue(const std::string& text);  // REG_SZ with its terminating NUL

}  // namespace win32_tests
