// The editor's two character tables, OEM 866 and ANSI 1251, and the
// conversions between them and to Unicode for the terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace host {

enum class CodePage { Oem866, Ansi1251 };

// Byte maps between the two tables. Together they are a bijection on all 256
// byte values, so a line converted to OEM and back is exactly the line it was;
// bytes without a counterpart are paired among themselves.
unsigned char OemToAnsi(unsigned char oem);
unsigned char AnsiToOem(unsigned char ansi);
void OemToAnsi(char* text, std::size_t length);
void AnsiToOem(char* text, std::size_t length);

// The Unicode character a byte stands for in `page` (control bytes map to themselves).
char32_t ToUnicode(CodePage page, unsigned char byte);
// The byte of `page` for a Unicode character, if the table has one.
std::optional<unsigned char> FromUnicode(CodePage page, char32_t ch);

std::string ToUtf8(CodePage page, std::string_view bytes);

}  // namespace host
