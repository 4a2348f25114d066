// Files in UTF-8: the byte-order mark, and what a user who cannot edit a
// UTF-8 file as UTF-8 (the 1.x build of Marten carries one byte per
// character) is told: which 8-bit table its text fits and how to convert it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/codepage.hpp"

namespace edit {

// The byte-order mark that a UTF-8 file may begin with.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// True when the file begins with the UTF-8 byte-order mark: proof of UTF-8,
// which outweighs --codepage; without it the bytes are weighed (GuessTable),
// since short text in 866 or KOI8-R can be valid UTF-8 too ("сам" in 866 is
// E1 A0 AC).
bool HasUtf8Mark(std::string_view bytes);

// True for valid UTF-8 with at least one character beyond ASCII, all of
// them of the scripts and signs that mail is written in: the one-pass check
// against which the table guess is measured (GuessTable decides the table).
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
