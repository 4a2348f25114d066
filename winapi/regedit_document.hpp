// The registry file's contents in memory: keys in the order of the file,
// each with its values and comments, and the queries and changes the
// registry services make on them. Names of keys and values compare without
// regard to ASCII case, as the Windows registry's do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace winreg {

// The value types the text format writes in a form of their own; any other
// type is written as hex(type):.
inline constexpr std::uint32_t kRegString = 1;  // REG_SZ
inline constexpr std::uint32_t kRegBinary = 3;  // REG_BINARY
inline constexpr std::uint32_t kRegDword = 4;   // REG_DWORD

// One line of a key's section (or of the lines before the first section):
// a value, or a comment kept as it stands.
struct RegEntry {
    bool isComment = false;
    std::string name;       // value name; empty for the default value '@'
    std::uint32_t type = 0; // REG_SZ, REG_BINARY, ...
    std::string data;       // the value's bytes
    std::string source;     // the text read from the file, lines joined by CR LF;
                            // empty once the value has changed
};

struct RegKey {
    std::string path;  // full path as written, e.g. HKEY_CURRENT_USER\Software\X
    std::vector<RegEntry> entries;
};

struct RegDocument {
    std::vector<RegEntry> preamble;  // comments before the first section
    std::vector<RegKey> keys;        // in the order of the file
};

// Whether `path` names `ancestor` or a key below it.
bool IsSameOrBelow(std::string_view path, std::string_view ancestor);

RegKey* FindKey(RegDocument& document, std::string_view path);
const RegKey* FindKey(const RegDocument& document, std::string_view path);

// A key exists when it has a section or when a section lies below it.
bool KeyExists(const RegDocument& document, std::string_view path);

// The key's section, appended at the end when it has none yet.
RegKey& EnsureKey(RegDocument& document, std::string_view path);

const RegEntry* FindValue(const RegKey& key, std::string_view name);

// Sets a value in place, or appends it to the key.
void SetValue(RegKey& key, std::string_view name, std::uint32_t type, std::string_view data);

// Removes a value; false when the key has none of that name.
bool RemoveValue(RegKey& key, std::string_view name);

}  // namespace winreg
