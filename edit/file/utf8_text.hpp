// Files in UTF-8: the editor stores one byte per character in one of its
// tables, so a UTF-8 file would show its letters as pseudographics and take
// typed ones in another encoding. Such a file is recognised when it is
// opened, and the user is told which table its text fits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/codepage.hpp"

namespace edit {

// The byte-order mark that a UTF-8 file may begin with.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// True when the file begins with the UTF-8 byte-order mark: the only sign
// taken as proof of UTF-8, since short text in 866 or KOI8-R can be valid
// UTF-8 too ("сам" in 866 is E1 A0 AC).
bool HasUtf8Mark(std::string_view bytes);

// True for valid UTF-8 with at least one character beyond ASCII, all of
// them of the scripts and signs that mail is written in: a hint for the
// user, never a reason to read the file as UTF-8.
bool IsUtf8Text(std::string_view bytes);

// The table that holds every character of the UTF-8 text: `preferred` when
// it does, else the first of the host's list of tables that does; none when
// no table holds them all.
std::optional<engine::CodePage> TableForUtf8(std::string_view utf8, engine::CodePage preferred);

// What to do about a UTF-8 file whose text fits `table` (or no table), in
// one sentence: "Its text fits KOI8-R: convert it with iconv -f UTF-8 -t
// KOI8-R and open it with --codepage koi8-r."
std::string Utf8Advice(std::optional<engine::CodePage> table);

}  // namespace edit
