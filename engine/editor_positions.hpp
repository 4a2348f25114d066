// Positions that cross the editor engine's interface in more than one
// count: the user's lines and columns from 1 (the title line, +LINE:COL,
// go-to) and screen columns with tabs expanded, beside the engine's own
// 0-based line and character column (TextPosition). Each is a type of its
// own, so that passing one where another is meant does not compile.
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
// A column as the user counts it, from 1.
using ColumnNumber = Counted<struct ColumnNumberKind>;
// A column of the screen from 0, tabs expanded.
using ScreenColumn = Counted<struct ScreenColumnKind>;

// A place as the user types and reads it: line and column from 1.
struct TypedPosition {
    LineNumber line{1};
    ColumnNumber column{1};
    friend bool operator==(const TypedPosition&, const TypedPosition&) = default;
};

}  // namespace engine
