// The columns of one line counted every way (positions.hpp): the only place
// where one kind of column becomes another. Beyond the end of the line each
// kind counts one per blank, since the cursor may stand there; a column
// past INT_MAX is INT_MAX.
#pragma once

#include <string_view>

#include "engine/codepage.hpp"
#include "engine/positions.hpp"

namespace engine {

// The screen column that a tab at `column` reaches: the next tab stop.
long long NextTabStop(long long column, int tabSize);

class LineColumns {
public:
    // `text` read in `table`, tabs `tabSize` wide (at least 1); the text must
    // outlive the object.
    LineColumns(std::string_view text, CodePage table, int tabSize = 8);

    ScreenColumn Screen(ByteColumn at) const;
    Utf16Column Utf16(ByteColumn at) const;
    CharColumn Char(ByteColumn at) const;
    // A screen column inside a tab's width stands on the tab.
    ByteColumn Byte(ScreenColumn at) const;
    // A unit between the two halves of a surrogate pair stands on the pair.
    ByteColumn Byte(Utf16Column at) const;
    ByteColumn Byte(CharColumn at) const;

private:
    // The bytes of the character at `at`: always 1 in the 8-bit tables.
    std::size_t Step(std::size_t at) const { return single_ ? 1 : CharLength(table_, text_, at); }
    // The count up to byte `pos` of UTF-8 text when each character counts
    // `width(its bytes)`, and the byte at which a count of `count` stands.
    template <class Width>
    int CountTo(int pos, Width width) const;
    template <class Width>
    int ByteOfCount(int count, Width width) const;

    std::string_view text_;
    CodePage table_;
    bool single_;  // one byte a character
    int tabSize_;
};

}  // namespace engine
