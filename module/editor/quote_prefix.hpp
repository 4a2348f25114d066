// Quotation rules: a quoted line begins with a prefix that ends in one or
// more '>' marks (" AB> text", " AB>> text"). The prefix is recognised by its
// marks alone; it is the text up to and including the line's last '>'.
// Positions are 1-based, 0 meaning "no mark", as the quotation features use them.
#pragma once

#include <cstddef>
#include <string_view>

#include "module/runtime/text.hpp"

namespace marten {

inline constexpr char kQuoteMark = '>';

// The characters the quotation rules and the wrap look at, in this order:
// the mark and the two blanks.
inline constexpr char kRuleCharacters[] = {kQuoteMark, ' ', '\t'};
inline constexpr std::size_t kRuleCharacterCount = sizeof kRuleCharacters;

// A byte that stands in for a character that only looked like a rule
// character: it is neither a mark nor a blank.
inline constexpr char kPlainCharacter = '\x1A';

// Makes `oem` (the OEM form of a line) show a rule character only where the
// line in the editor's own table, `own`, holds that character's own byte
// (`ownRuleCharacters`, in the order of kRuleCharacters): a character that
// the conversion merely turned into '>' or a blank (a '»' in the ANSI table)
// becomes kPlainCharacter. `oem` takes the length of `own`; bytes that the
// conversion did not reach are read as they stand in `own`.
void KeepOwnRuleCharacters(Text& oem, std::string_view own, std::string_view ownRuleCharacters);

// The first mark of a continued prefix must stand within this many bytes.
inline constexpr int kMaxFirstMarkColumn = 7;

// Position of the first '>' of `line`, 0 when it has none.
int FirstMark(std::string_view line);

// Position of the last '>' of `line`, 0 when it has none. It may belong to
// the text behind the prefix: in "AB> a -> b" it is the arrow's 8.
int LastMark(std::string_view line);

// The two forms of the prefix take their bytes from `own`, the line as the
// editor holds it, at the places that `line`, the examined form of the same
// line, shows; `blank` is the editor's byte for the blank that ends them.
// Without a mark in `line` they are empty.

// The line through its last '>', followed by one blank. The line's leading
// blanks stay in it (" AB> " for " AB> text").
Text PlainPrefix(std::string_view line, std::string_view own, char blank = ' ');

// As PlainPrefix, without the leading TAB and blank bytes ("AB> " for " AB> text").
Text TrimmedPrefix(std::string_view line, std::string_view own, char blank = ' ');

// How many leading bytes the removal of the prefix takes: everything through
// the last '>' and the blank or TAB that closes a well-formed prefix. Any
// other byte behind the mark is text and stays ("AB>text" keeps "text").
// 0 when the line has no mark.
std::size_t PrefixLength(std::string_view line);

// Removes the prefix (PrefixLength bytes) from the front of `line`.
void RemovePrefix(Text& line);

}  // namespace marten
