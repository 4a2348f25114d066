// The terminal's character set, from the locale (LC_CTYPE). With no locale
// of its own (C or POSIX, plain ASCII, as on servers and in containers
// without LANG) the editor falls back to C.UTF-8, which every Debian has, so
// that Cyrillic is drawn and read on the UTF-8 terminals of today. Any other
// locale is kept: then its own character set (KOI8-R under luit, say) is
// what the terminal sends and shows, ncurses converting through the C
// library. Only LC_CTYPE changes; messages stay as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/codepage.hpp"

namespace edit {

// Sets LC_CTYPE from the environment, with the fallback above; answers the
// character set in force ("UTF-8", "KOI8-R", ...).
std::string UseTerminalLocale();

// True for a character set of plain ASCII, as the C library names it.
bool IsAsciiCharset(std::string_view charset);
// True for UTF-8, however spelt.
bool IsUtf8Charset(std::string_view charset);

// What a terminal in the current locale can show for `ch`: the character
// itself, or an ASCII look-alike (box lines, arrows), or '?'.
char32_t Displayable(char32_t ch);

// `text` in `charset` as UTF-8 (through iconv); none when it does not decode.
std::optional<std::string> ToUtf8From(std::string_view charset, std::string_view text);

}  // namespace edit
