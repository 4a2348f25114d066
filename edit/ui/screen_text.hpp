// Texts on their way to the screen: the module speaks OEM 866 bytes, the
// terminal and the file system UTF-8, the screen cells hold Unicode.
#pragma once

#include <string>
#include <string_view>

#include "engine/codepage.hpp"

namespace edit {

std::u32string OemToText(std::string_view oem);
// Characters that OEM 866 lacks become '?'.
std::string TextToOem(std::u32string_view text);
// Invalid UTF-8 bytes become U+FFFD, so any file name can be shown.
std::u32string Utf8ToText(std::string_view utf8);
std::string TextToUtf8(std::u32string_view text);
// A Unicode plug-in's texts: surrogate pairs make one character, a lone
// surrogate shows as U+FFFD.
std::u32string Utf16ToText(std::u16string_view utf16);
std::u16string TextToUtf16(std::u32string_view text);

// A label with its hot key marked by '&' ("&Save"): the text without the
// mark, and the index of the hot-key character (-1 when there is none).
struct HotkeyLabel {
    std::u32string text;
    int hotkey = -1;
};
HotkeyLabel ParseHotkey(std::u32string_view label);

// Letters compare without case, Cyrillic ones too, by the host's one rule.
using engine::FoldCase;

}  // namespace edit
