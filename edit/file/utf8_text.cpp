#include "edit/file/utf8_text.hpp"

#include "host/utf8.hpp"

namespace edit {
namespace {

// The names iconv and --codepage know each table by.
struct TableNames {
    const char* iconv;
    const char* option;
};

TableNames NamesOf(host::CodePage table) {
    switch (table) {
    case host::CodePage::Oem866: return {"CP866", "866"};
    case host::CodePage::Ansi1251: return {"CP1251", "1251"};
    case host::CodePage::Koi8r: return {"KOI8-R", "koi8-r"};
    }
    return {"CP866", "866"};
}

bool Holds(host::CodePage table, std::string_view utf8) {
    std::size_t at = 0;
    while (at < utf8.size()) {
        char32_t ch = 0;
        std::size_t length = 0;
        if (!host::DecodeUtf8(utf8.substr(at), ch, length) || !host::FromUnicode(table, ch)) return false;
        at += length;
    }
    return true;
}

}  // namespace

bool IsUtf8Text(std::string_view bytes) {
    bool beyondAscii = false;
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        char32_t ch = 0;
        std::size_t length = 0;
        if (!host::DecodeUtf8(bytes.substr(at), ch, length)) return false;
        beyondAscii = true;
        at += length;
    }
    return beyondAscii;
}

std::optional<host::CodePage> TableForUtf8(std::string_view utf8, host::CodePage preferred) {
    if (Holds(preferred, utf8)) return preferred;
    for (host::CodePage table : {host::CodePage::Oem866, host::CodePage::Koi8r, host::CodePage::Ansi1251}) {
        if (Holds(table, utf8)) return table;
    }
    return std::nullopt;
}

std::string Utf8Advice(std::optional<host::CodePage> table) {
    if (!table) return "No table of the editor holds all of its characters.";
    TableNames names = NamesOf(*table);
    return "Its text fits " + std::string(host::CodePageName(*table)) + ": convert it with iconv -f UTF-8 -t " +
           names.iconv + " and open it with --codepage " + names.option + ".";
}

}  // namespace edit
