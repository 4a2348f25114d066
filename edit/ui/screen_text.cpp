#include "edit/ui/screen_text.hpp"

#include "engine/codepage.hpp"
#include "engine/utf8.hpp"

namespace edit {

std::u32string OemToText(std::string_view oem) {
    std::u32string text;
    text.reserve(oem.size());
    for (char c : oem) {
        text.push_back(engine::ToUnicode(engine::CodePage::Oem866, static_cast<unsigned char>(c)));
    }
    return text;
}

std::string TextToOem(std::u32string_view text) {
    std::string oem;
    oem.reserve(text.size());
    for (char32_t ch : text) {
        auto byte = engine::FromUnicode(engine::CodePage::Oem866, ch);
        oem.push_back(byte ? static_cast<char>(*byte) : '?');
    }
    return oem;
}

std::u32string Utf8ToText(std::string_view utf8) {
    std::u32string text;
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t ch = 0;
        std::size_t length = 0;
        if (engine::DecodeUtf8(utf8.substr(i), ch, length)) {
            text.push_back(ch);
            i += length;
        } else {
            text.push_back(U'\uFFFD');
            ++i;
        }
    }
    return text;
}

std::string TextToUtf8(std::u32string_view text) {
    std::string utf8;
    for (char32_t ch : text) engine::AppendUtf8(utf8, ch);
    return utf8;
}

std::u32string Utf16ToText(std::u16string_view utf16) {
    std::u32string text;
    text.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            text.push_back(0x10000 + ((char32_t{unit} - 0xD800) << 10) + (utf16[++i] - 0xDC00));
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            text.push_back(U'\uFFFD');
        } else {
            text.push_back(unit);
        }
    }
    return text;
}

std::u16string TextToUtf16(std::u32string_view text) {
    std::u16string utf16;
    utf16.reserve(text.size());
    for (char32_t ch : text) {
        if (ch >= 0x10000 && ch <= 0x10FFFF) {
            utf16.push_back(static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10)));
            utf16.push_back(static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF)));
        } else {
            utf16.push_back(ch > 0x10FFFF ? u'\uFFFD' : static_cast<char16_t>(ch));
        }
    }
    return utf16;
}

HotkeyLabel ParseHotkey(std::u32string_view label) {
    HotkeyLabel result;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == U'&' && i + 1 < label.size()) {
            ++i;
            // "&&" is a literal ampersand.
            if (label[i] != U'&' && result.hotkey < 0) {
                result.hotkey = static_cast<int>(result.text.size());
            }
        }
        result.text.push_back(label[i]);
    }
    return result;
}

}  // namespace edit
