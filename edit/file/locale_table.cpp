#include "edit/file/locale_table.hpp"

#include <langinfo.h>
#include <locale.h>

#include "edit/terminal/locale.hpp"

namespace edit {

std::optional<host::CodePage> TableOfCharset(std::string_view charset) {
    if (IsAsciiCharset(charset) || IsUtf8Charset(charset)) return host::CodePage::Utf8;
    return host::CodePageOfCharset(charset);
}

// Only the character set's category is loaded: a locale of another category
// that is not installed (LC_TIME naming one, say) does not turn a KOI8-R
// user's set into plain ASCII. A locale object leaves the program's own
// locale, which the terminal set up, as it is.
std::optional<host::CodePage> LocaleTable() {
    const locale_t locale = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) return host::CodePage::Utf8;  // not installed
    const std::optional<host::CodePage> table = TableOfCharset(::nl_langinfo_l(CODESET, locale));
    ::freelocale(locale);
    return table;
}

}  // namespace edit
