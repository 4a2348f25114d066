// The REGEDIT4 text format of the registry file, as pure functions on
// strings: parsing into keys and values, and writing them back in the form
// the Windows registry editor exports and imports.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Example]
//   "Count"=dword:0000004e
//   "Flag"=hex:01
//   "Name"="text with \"quotes\" and \\ backslashes"
//   "Other"=hex(7):61,00,00,\ (a long list goes on
//     62,00                    on the next line)
//   @="the key's default value"
//
// Entries that are not changed are written back exactly as they were read,
// so keys, values and comments of other programs survive every rewrite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winreg {

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

struct ParseFailure {
    std::size_t line = 0;  // 1-based
    std::string reason;
};

struct ParseResult {
    RegDocument document;                 // empty when parsing failed
    std::optional<ParseFailure> failure;  // set when the text is not valid
};

// Parses a whole file; LF or CR LF line ends. An empty text is an empty
// registry. A section named twice is one key; a value named twice in a key
// keeps its first place and its last data.
ParseResult ParseRegedit(std::string_view text);

// The whole file: REGEDIT4 header, CR LF line ends, a blank line before each
// section, long hex lists continued on further lines within 80 columns.
std::string SerialiseRegedit(const RegDocument& document);

// The value's line(s), without the final line end.
std::string FormatValue(const RegEntry& value);

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
