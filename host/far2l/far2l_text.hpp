// far2l's text (UTF-32 wchar_t) beside the UTF-16 of the Unicode adapter,
// whose editor view the far2l adapter reuses, and the UTF-8 of the host.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

// UTF-16 units as characters; a lone surrogate becomes U+FFFD.
std::wstring WideOf(std::u16string_view units);
// Characters as UTF-16 units; a value that is no character becomes U+FFFD.
std::u16string Utf16OfWide(std::wstring_view text);
std::wstring WideOfUtf8(std::string_view bytes);
std::string Utf8OfWide(std::wstring_view text);

// The character index of UTF-16 column `units` in `line` (past its end, one
// character a unit), and back.
int CharColumn(std::u16string_view line, int units);
int UnitColumn(std::u16string_view line, int chars);

// A NUL-terminated far2l text as a view; empty for null.
std::wstring_view WideView(const wchar_t* text);

}  // namespace host
