// Reading the REGEDIT4 text of the registry file, as the Windows registry
// editor exports it:
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
// Each value keeps the text it was read from, so that regedit_write.hpp
// writes untouched entries back exactly as they were and keys, values and
// comments of other programs survive every rewrite.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "winapi/regedit_document.hpp"

namespace winreg {

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

}  // namespace winreg
