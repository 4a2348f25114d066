#include "edit/ui/screen_text.hpp"

#include "host/codepage.hpp"

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
        auto lead = static_cast<unsigned char>(utf8[i]);
        int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2
                  : (lead & 0xF8) == 0xF0 ? 3 : -1;
        char32_t ch = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
        bool valid = extra >= 0 && i + static_cast<std::size_t>(extra) < utf8.size();
        if (valid) {
            for (int k = 1; k <= extra; ++k) {
                auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
                if ((next & 0xC0) != 0x80) {
                    valid = false;
                    break;
                }
                ch = (ch << 6) | (next & 0x3F);
            }
        }
        // Overlong forms, surrogates and values beyond Unicode are invalid too.
        static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (valid && (ch < kLeast[extra] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))) {
            valid = false;
        }
        if (!valid) {
            text.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        text.push_back(ch);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return text;
}

std::string TextToUtf8(std::u32string_view text) {
    std::string utf8;
    for (char32_t ch : text) {
        if (ch < 0x80) {
            utf8.push_back(static_cast<char>(ch));
        } else if (ch < 0x800) {
            utf8.push_back(static_cast<char>(0xC0 | (ch >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        } else if (ch < 0x10000) {
            utf8.push_back(static_cast<char>(0xE0 | (ch >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        } else {
            utf8.push_back(static_cast<char>(0xF0 | (ch >> 18)));
            utf8.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        }
    }
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

char32_t FoldCase(char32_t ch) {
    if (ch >= U'A' && ch <= U'Z') return ch + 32;
    if (ch >= 0x410 && ch <= 0x42F) return ch + 32;
    if (ch == 0x401) return 0x451;
    return ch;
}

}  // namespace edit
