#include "edit/terminal/locale_table.hpp"

#include <langinfo.h>

#include <clocale>
#include <string>

#include "edit/terminal/locale.hpp"

namespace edit {

std::optional<engine::CodePage> TableOfCharset(std::string_view charset) {
    if (IsAsciiCharset(charset) || IsUtf8Charset(charset)) return engine::CodePage::Utf8;
    return engine::CodePageOfCharset(charset);
}

// Only the character set's category is loaded: a locale of another category
// that is not installed (LC_TIME naming one, say) does not turn a KOI8-R
// user's set into plain ASCII. The program's own setting, which the terminal
// made, is put back. (newlocale would leave it alone, but glibc's keeps a copy
// of LOCPATH that it never frees.)
std::optional<engine::CodePage> LocaleTable() {
    const std::string kept = std::setlocale(LC_CTYPE, nullptr);
    const bool installed = std::setlocale(LC_CTYPE, "") != nullptr;
    const std::string charset = installed ? ::nl_langinfo(CODESET) : "";  // "": plain ASCII
    std::setlocale(LC_CTYPE, kept.c_str());
    return TableOfCharset(charset);
}

}  // namespace edit
