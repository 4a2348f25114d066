// Positions in the text, each kind a type of its own, so that passing one
// where another is meant does not compile: the user's lines and columns
// from 1 (the title line, +LINE:COL, go-to), and the four ways a column of a
// line is counted from 0. The engine keeps its cursor and blocks in bytes of
// the file's table (TextPosition); engine/columns.hpp converts between the
// kinds of column, and nothing else does.
#pragma once

#include <compare>

namespace engine {

// An int of one kind (`Kind` names it) that converts to no other.
template <class Kind>
class Counted {
public:
    constexpr Counted() = default;
    constexpr explicit Counted(int value) : value_(value) {}
    constexpr int Value() const { return value_; }
    friend constexpr auto operator<=>(Counted, Counted) = default;

private:
    int value_ = 0;
};

// A line as the user counts it, from 1.
using LineNumber = Counted<struct LineNumberKind>;
// A column as the user counts it, from 1: a screen column.
using ColumnNumber = Counted<struct ColumnNumberKind>;

// Bytes of the line in the file's table: what the engine keeps, and what the
// 1.x interface counts. A UTF-8 character takes one to four.
using ByteColumn = Counted<struct ByteColumnKind>;
// Characters, each one whatever its bytes (far2l's wide interface counts so).
using CharColumn = Counted<struct CharColumnKind>;
// Cells of the screen, a tab reaching the next tab stop.
using ScreenColumn = Counted<struct ScreenColumnKind>;
// UTF-16 code units, a character beyond U+FFFF taking two (the Unicode
// interface counts so).
using Utf16Column = Counted<struct Utf16ColumnKind>;

// A place as the user types and reads it: line and column from 1.
struct TypedPosition {
    LineNumber line{1};
    ColumnNumber column{1};
    friend bool operator==(const TypedPosition&, const TypedPosition&) = default;
};

// A place in the text as the engine keeps it: the line from 0 and the byte
// column in it (ByteColumn's count; the cursor may stand beyond the end).
struct TextPosition {
    int line = 0;
    int byteColumn = 0;
    friend auto operator<=>(const TextPosition&, const TextPosition&) = default;
};

}  // namespace engine
