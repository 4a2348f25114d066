// The locale's character set as one of the editor's tables: what a file with
// no byte beyond ASCII is kept in, and which 8-bit table a file that is not
// UTF-8 is read in. The set is the one LC_ALL, then LC_CTYPE, then LANG
// name; plain ASCII (no locale, or one that is not installed) counts as
// UTF-8, as it does for the screen.
#pragma once

#include <optional>
#include <string_view>

#include "engine/codepage.hpp"

namespace edit {

// The table of a character set as the C library names it (nl_langinfo's
// CODESET): UTF-8 for UTF-8 and plain ASCII, 866, 1251 or KOI8-R for those
// sets; none for a set the editor has no table for (ISO-8859-1, KOI8-U,
// EUC-JP).
std::optional<engine::CodePage> TableOfCharset(std::string_view charset);

// The table of the character set that the environment's locale names; the
// program's own locale is as it was after. Not for a time when other threads
// may read the locale.
std::optional<engine::CodePage> LocaleTable();

}  // namespace edit
