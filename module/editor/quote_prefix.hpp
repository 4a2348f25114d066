// Quotation rules: a quoted line begins with a prefix that ends in one or
// more '>' marks (" AB> text", " AB>> text"). The prefix is recognised by its
// marks alone; it is the text up to and including the line's last '>'.
// Positions are 1-based, 0 meaning "no mark", as the quotation features use them.
#pragma once

#include <cstddef>
#include <string_view>

#include "module/runtime/heap.hpp"

namespace marten {

inline constexpr char kQuoteMark = '>';

// The first mark of a continued prefix must stand within this many bytes.
inline constexpr int kMaxFirstMarkColumn = 7;

// Position of the first '>' of `line`, 0 when it has none.
int FirstMark(std::string_view line);

// Position of the last '>' of `line`, 0 when it has none. It may belong to
// the text behind the prefix: in "AB> a -> b" it is the arrow's 8.
int LastMark(std::string_view line);

// The line through its last '>', followed by one blank; empty without a mark.
// The line's leading blanks stay in it (" AB> " for " AB> text").
Text PlainPrefix(std::string_view line);

// As PlainPrefix, without the leading TAB and blank bytes ("AB> " for " AB> text").
Text TrimmedPrefix(std::string_view line);

// How many leading bytes the removal of the prefix takes: everything through
// the last '>' and the blank or TAB that closes a well-formed prefix. Any
// other byte behind the mark is text and stays ("AB>text" keeps "text").
// 0 when the line has no mark.
std::size_t PrefixLength(std::string_view line);

// Removes the prefix (PrefixLength bytes) from the front of `line`.
void RemovePrefix(Text& line);

}  // namespace marten
