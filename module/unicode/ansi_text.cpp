// The system's ANSI code page in UTF-16, for the settings taken over from the
// registry. Natively the host of our own keeps registry text in code page
// 1251, the ANSI page of a Russian system.
#include "module/unicode/settings_store.hpp"

#include "module/settings/other_stores.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace marten::unicode {

#ifdef _WIN32

UnicodeText AnsiToUnicode(const Text& ansi) {
    if (ansi.empty()) return UnicodeText();
    const int length = static_cast<int>(ansi.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (units <= 0) return UnicodeText();
    UnicodeText text(static_cast<std::size_t>(units), WChar(0));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, text.data(), units);
    return text;
}

#else

UnicodeText AnsiToUnicode(const Text& ansi) {
    UnicodeText text;
    text.reserve(ansi.size());
    for (const char c : ansi) {
        // Every character of the page is within the BMP: one unit each.
        text += static_cast<WChar>(Cp1251Char(static_cast<unsigned char>(c)));
    }
    return text;
}

#endif

}  // namespace marten::unicode
