#include "edit/ui/screen_text.hpp"

#include "host/codepage.hpp"
#include "host/utf8.hpp"

namespace edit {

std::u32string OemToText(std::string_view oem) {
    std::u32string text;
    text.reserve(oem.size());
    for (char c : oem) {
        text.push_back(host::ToUnicode(host::CodePage::Oem866, static_cast<unsigned char>(c)));
    }
    return text;
}

std::string TextToOem(std::u32string_view text) {
    std::string oem;
    oem.reserve(text.size());
    for (char32_t ch : text) {
        auto byte = host::FromUnicode(host::CodePage::Oem866, ch);
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
        if (host::DecodeUtf8(utf8.substr(i), ch, length)) {
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
    for (char32_t ch : text) host::AppendUtf8(utf8, ch);
    return utf8;
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
