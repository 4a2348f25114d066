// UTF-8, the terminal's and the case files' encoding: one decoder and one
// encoder for the whole host side.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace engine {

// Decodes the character at the start of `text` (which must not be empty) and
// its length in bytes. False for bytes that are no UTF-8: a stray or missing
// continuation byte, an overlong form, a surrogate, a value beyond Unicode.
bool DecodeUtf8(std::string_view text, char32_t& ch, std::size_t& length);

// Appends `ch` in UTF-8.
void AppendUtf8(std::string& out, char32_t ch);

}  // namespace engine
