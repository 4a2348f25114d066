// The editor's character tables (OEM 866, ANSI 1251 and the custom table
// KOI8-R), the conversions between each table and the OEM code page that the
// editor offers plug-ins, and the conversions to Unicode for the terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace host {

enum class CodePage { Oem866, Ansi1251, Koi8r };

// The table's name as the title line and the command line show it ("866",
// "1251", "KOI8-R").
std::string_view CodePageName(CodePage page);

// ECTL_EDITORTOOEM and ECTL_OEMTOEDITOR of the file manager's editor: the
// identity in the OEM table; in the ANSI table the platform's best-fit maps,
// and in KOI8-R a mapping to OEM with its reverse taken from it. Outside the
// OEM table both are lossy: a character that the other table lacks becomes a
// look-alike or '?', and a byte converted there and back need not come back.
unsigned char TableToOem(CodePage page, unsigned char byte);
unsigned char OemToTable(CodePage page, unsigned char oem);
void TableToOem(CodePage page, char* text, std::size_t length);
void OemToTable(CodePage page, char* text, std::size_t length);

// The Unicode character a byte stands for in `page` (control bytes map to
// themselves; a byte the table leaves undefined shows as U+FFFD). Exact, for
// what the terminal shows and what a user types.
char32_t ToUnicode(CodePage page, unsigned char byte);
// The byte of `page` for a Unicode character, if the table has one.
std::optional<unsigned char> FromUnicode(CodePage page, char32_t ch);

std::string ToUtf8(CodePage page, std::string_view bytes);
// UTF-8 text in `page`: each character the table lacks, and each byte that
// is no UTF-8, is left out and counted in `unkept` (when given).
std::string FromUtf8(CodePage page, std::string_view utf8, std::size_t* unkept = nullptr);

// The byte of the lower-case form of a letter (Latin, Latin-1 and Cyrillic,
// as far as `page` holds both forms); any other byte unchanged. Two bytes
// match without regard to case when their folds are equal.
unsigned char FoldCase(CodePage page, unsigned char byte);
// True for the bytes of letters and digits (Latin, Latin-1 and Cyrillic)
// and '_': what words are made of, for whole-word search and moving by words.
bool IsWordChar(CodePage page, unsigned char byte);

}  // namespace host
