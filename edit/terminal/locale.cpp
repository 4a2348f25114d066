#include "edit/terminal/locale.hpp"

#include <iconv.h>
#include <langinfo.h>

#include <cctype>
#include <cerrno>
#include <clocale>
#include <cwchar>

namespace edit {
namespace {

// Lower case, without '-' and '_': "UTF-8", "utf8" and "UTF_8" compare equal.
std::string Folded(std::string_view name) {
    std::string key;
    for (char c : name) {
        if (c != '-' && c != '_')
            key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    return key;
}

// An ASCII stand-in for a character the terminal's set lacks.
char32_t AsciiLookAlike(char32_t ch) {
    switch (ch) {
    case U'─':
    case U'━':
    case U'═': return U'-';
    case U'│':
    case U'┃':
    case U'║': return U'|';
    case U'↓':
    case U'√': return U'v';
    case U'↑': return U'^';
    case U'→':
    case U'►':
    case U'»': return U'>';
    case U'←':
    case U'◄':
    case U'«': return U'<';
    case U'…':
    case U'·':
    case U'∙': return U'.';
    case U'░':
    case U'▒':
    case U'▓':
    case U'█':
    case U'■':
    case U'▄':
    case U'▀':
    case U'▌':
    case U'▐': return U'#';
    default: break;
    }
    if (ch >= 0x2500 && ch <= 0x257F) return U'+';  // the other box corners and crossings
    return U'?';
}

}  // namespace

bool IsAsciiCharset(std::string_view charset) {
    std::string key = Folded(charset);
    return key.empty() || key == "ansix3.41968" || key == "ascii" || key == "usascii" ||
           key == "646";
}

bool IsUtf8Charset(std::string_view charset) { return Folded(charset) == "utf8"; }

std::string UseTerminalLocale() {
    std::setlocale(LC_CTYPE, "");
    if (IsAsciiCharset(nl_langinfo(CODESET))) {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
            if (std::setlocale(LC_CTYPE, name) != nullptr) break;
        }
    }
    return nl_langinfo(CODESET);
}

char32_t Displayable(char32_t ch) {
    if (ch < 0x80) return ch;
    // One cell each: a character of the locale's set that takes one column.
    if (ch != U'\uFFFD' && ::wcwidth(static_cast<wchar_t>(ch)) == 1) return ch;
    return AsciiLookAlike(ch);
}

std::optional<std::string> ToUtf8From(std::string_view charset, std::string_view text) {
    iconv_t cd = ::iconv_open("UTF-8", std::string(charset).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    std::string in(text);
    char* from = in.data();
    std::size_t left = in.size();
    char buffer[256];
    bool ok = true;
    while (left > 0 && ok) {
        char* to = buffer;
        std::size_t room = sizeof buffer;
        if (::iconv(cd, &from, &left, &to, &room) == static_cast<std::size_t>(-1) && errno != E2BIG)
            ok = false;
        out.append(buffer, static_cast<std::size_t>(to - buffer));
    }
    if (ok) {  // the closing shift sequence of a stateful set
        char* to = buffer;
        std::size_t room = sizeof buffer;
        ok = ::iconv(cd, nullptr, nullptr, &to, &room) != static_cast<std::size_t>(-1);
        out.append(buffer, static_cast<std::size_t>(to - buffer));
    }
    ::iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace edit
