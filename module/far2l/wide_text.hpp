// Text as far2l carries it (UTF-32 wchar_t) and its UTF-8 form, in which
// the face's settings file and marten-edit's settings store keep text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "module/runtime/text.hpp"

namespace marten::far2l {

// A line, a name or a mask: one wchar_t per character.
using WideText = BasicText<wchar_t>;

// `bytes` decoded as UTF-8; nothing when they are not well-formed UTF-8.
std::optional<WideText> FromUtf8(std::string_view bytes);

// `text` encoded as UTF-8; nothing when it holds a value that is no
// character (a surrogate, or beyond U+10FFFF).
std::optional<std::string> ToUtf8(const WideText& text);

}  // namespace marten::far2l
