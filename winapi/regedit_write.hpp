// Writing the registry file's REGEDIT4 text (see regedit_parse.hpp for the
// format) in the form the Windows registry editor exports and imports.
// Entries that were not changed are written as they were read.
#pragma once

#include <string>

#include "winapi/regedit_document.hpp"

namespace winreg {

// The whole file: REGEDIT4 header, CR LF line ends, a blank line before each
// section, long hex lists continued on further lines within 80 columns.
std::string SerialiseRegedit(const RegDocument& document);

// The value's line(s), without the final line end.
std::string FormatValue(const RegEntry& value);

}  // namespace winreg
