// Which table a file is read in, from its bytes, its name and the locale.
// A UTF-8 byte-order mark decides; then --codepage. Otherwise bytes that are
// valid UTF-8 are read as UTF-8 when their characters are those that mail in
// this field is written in, since a reply in 866 or KOI8-R may well be valid
// UTF-8 too (866 "сам", E1 A0 AC, decodes to a Mongolian letter); any other
// bytes are read in the locale's 8-bit table, or 866. A file with no byte
// beyond ASCII is kept in the locale's set, except an FTN reader's reply
// file, which stays in the 8-bit table the reader hands it over in.
#pragma once

#include <optional>
#include <string_view>

#include "engine/codepage.hpp"

namespace edit {

// What the guess is asked, all of it as the caller has it.
struct TableQuestion {
    std::string_view bytes;                 // the whole file as read, its byte-order mark kept
    std::string_view path;                  // as given: only the name after its folders counts
    std::optional<engine::CodePage> named;  // the table --codepage names, when it does
    // The locale's table (LocaleTable()); none for a set the editor has no table for.
    std::optional<engine::CodePage> locale;
    std::string_view ftnFiles;  // editor.conf's ftn-files: the masks of reply files
};

// Why the file is read in the table it is.
enum class TableReason {
    ByteOrderMark,         // it begins with UTF-8's byte-order mark
    Named,                 // --codepage names the table
    Utf8Characters,        // valid UTF-8 whose characters are those of mail
    EightBitAlthoughUtf8,  // valid UTF-8, but too many characters far from mail's
    EightBit,              // not UTF-8
    AsciiByLocale,         // nothing beyond ASCII (or empty, or new): the locale's set
    AsciiFtnReply,         // nothing beyond ASCII in an FTN reader's reply file
};

struct TableGuess {
    engine::CodePage table;
    TableReason reason;
    friend bool operator==(const TableGuess&, const TableGuess&) = default;
};

// The table the file is read in and why. One pass over the bytes, which
// stops at the first that is not UTF-8.
TableGuess GuessTable(const TableQuestion& question);

// The 8-bit table of text that is not UTF-8: the locale's when it is 866,
// 1251 or KOI8-R, else 866.
engine::CodePage EightBitTable(std::optional<engine::CodePage> locale);

// True for a character that mail in this field is written with: any that
// 866, KOI8-R or 1251 holds, and the Latin, Greek and Cyrillic letters,
// punctuation, currency, letter-like signs, arrows, mathematical operators,
// box lines, blocks and shapes of Unicode. ASCII and the C1 controls are not.
bool IsMailCharacter(char32_t ch);

// True when `path`, without its folders, matches one of `masks` as the
// file manager matches its masks ('*', '?', letters in either case).
bool IsFtnReplyFile(std::string_view path, std::string_view masks);

}  // namespace edit
