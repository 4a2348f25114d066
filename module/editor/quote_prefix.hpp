// Quotation rules: a quoted line begins with a prefix that ends in one or
// more '>' marks (" AB> text", " AB>> text"). The prefix is recognised by its
// marks alone; it is the text up to and including the line's last '>'.
// Mark positions are 1-based, 0 meaning "no mark"; columns are 0-based, as
// the editor's cursor counts them. Each has a type of its own, so that one
// cannot be compared with the other by mistake.
#pragma once

#include <compare>
#include <cstddef>
#include <string_view>
#include <type_traits>

#include "module/runtime/text.hpp"

namespace marten {

inline constexpr char kQuoteMark = '>';

// A 0-based column of a line: the index of a character, which is also the
// number of characters before it.
struct Column {
    std::size_t value;
    friend constexpr auto operator<=>(Column, Column) = default;
};

// The 1-based position of a quotation mark in a line; 0 when there is none.
struct MarkPosition {
    int value;
    constexpr bool Found() const { return value != 0; }
    // The column the mark stands in (only for a mark that was found).
    constexpr Column At() const { return Column{static_cast<std::size_t>(value - 1)}; }
    friend constexpr auto operator<=>(MarkPosition, MarkPosition) = default;
};

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

// The first mark of a continued prefix stands at this position or before it.
inline constexpr MarkPosition kLastFirstMark{7};

// The rules below read a line of either interface: the editor's bytes or
// UTF-16 units. `Line` is any string of them (a view, a Text, a std::string).
template <class Line>
auto ViewOf(const Line& line) {
    using C = typename Line::value_type;
    return std::basic_string_view<C>(line.data(), line.size());
}

template <class C>
constexpr bool IsPrefixBlank(C c) {
    return c == C(' ') || c == C('\t');
}

// Position of the first '>' of `line`.
template <class Line>
MarkPosition FirstMark(const Line& line) {
    const auto at = ViewOf(line).find(typename Line::value_type(kQuoteMark));
    return MarkPosition{at == std::string_view::npos ? 0 : static_cast<int>(at + 1)};
}

// Position of the last '>' of `line`. It may belong to the text behind the
// prefix: in "AB> a -> b" it is the arrow's 8.
template <class Line>
MarkPosition LastMark(const Line& line) {
    const auto at = ViewOf(line).rfind(typename Line::value_type(kQuoteMark));
    return MarkPosition{at == std::string_view::npos ? 0 : static_cast<int>(at + 1)};
}

// The two forms of the prefix take their characters from `own`, the line as
// the editor holds it, at the places that `line`, the examined form of the
// same line, shows; `blank` is the editor's character for the blank that ends
// them. Without a mark in `line` they are empty.

// The line through its last '>', followed by one blank. The line's leading
// blanks stay in it (" AB> " for " AB> text").
template <class Line, class C = typename Line::value_type>
BasicText<C> PlainPrefix(const Line& line, std::type_identity_t<std::basic_string_view<C>> own,
                         std::type_identity_t<C> blank = C(' ')) {
    const MarkPosition mark = LastMark(line);
    if (!mark.Found()) return BasicText<C>();
    BasicText<C> prefix(own.substr(0, mark.At().value + 1));
    prefix += blank;
    return prefix;
}

// As PlainPrefix, without the leading TAB and blank characters ("AB> " for " AB> text").
template <class Line, class C = typename Line::value_type>
BasicText<C> TrimmedPrefix(const Line& line, std::type_identity_t<std::basic_string_view<C>> own,
                           std::type_identity_t<C> blank = C(' ')) {
    const MarkPosition mark = LastMark(line);
    if (!mark.Found()) return BasicText<C>();
    // The mark is '>', so the trimming stops there at the latest.
    std::size_t start = 0;
    while (IsPrefixBlank(line[start])) ++start;
    BasicText<C> prefix(own.substr(start, mark.At().value + 1 - start));
    prefix += blank;
    return prefix;
}

// How many leading characters the removal of the prefix takes: everything
// through the last '>' and the blank or TAB that closes a well-formed prefix.
// Any other character behind the mark is text and stays ("AB>text" keeps
// "text"). 0 when the line has no mark.
template <class Line>
std::size_t PrefixLength(const Line& line) {
    const MarkPosition mark = LastMark(line);
    if (!mark.Found()) return 0;
    const std::size_t through = mark.At().value + 1;
    if (through < line.size() && IsPrefixBlank(line[through])) return through + 1;
    return through;
}

}  // namespace marten
