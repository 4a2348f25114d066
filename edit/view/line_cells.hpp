// How a line of the editor's bytes looks on the screen: one cell per
// character, tabs widened to the next tab stop (engine::NextTabStop, as the
// engine counts screen columns), control bytes marked.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/codepage.hpp"

namespace edit {

struct Cell {
    char32_t ch = U' ';
    bool control = false;  // a control byte, shown as its letter ('@' + byte)
};

// The first `limit` cells of `text` read in `table` (a screen needs no more
// than its width past the first column shown, however long the line).
std::vector<Cell> LineCells(std::string_view text, engine::CodePage table, int tabSize,
                            std::size_t limit = static_cast<std::size_t>(-1));

}  // namespace edit
