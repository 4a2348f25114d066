// Checks of what a GridScreen shows, queued in its script between the keys,
// so that each runs once the program has drawn what came before.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <source_location>
#include <string>
#include <utility>

#include "edit/terminal/grid_screen.hpp"

namespace edit {

// By then the screen shows `text` (which may span rows).
inline void SeesOn(GridScreen& grid, std::string text,
                   std::source_location at = std::source_location::current()) {
    grid.Then([&grid, text, at] {
        if (!grid.Shows(text)) {
            ADD_FAILURE_AT(at.file_name(), at.line()) << "\"" << text << "\" is not shown:\n"
                                                      << grid.Text();
        }
    });
}

// By then the screen no longer shows `text`.
inline void GoneFrom(GridScreen& grid, std::string text,
                     std::source_location at = std::source_location::current()) {
    grid.Then([&grid, text, at] {
        if (grid.Shows(text)) {
            ADD_FAILURE_AT(at.file_name(), at.line()) << "\"" << text << "\" is still shown:\n"
                                                      << grid.Text();
        }
    });
}

// Runs `check` on a fresh grid of each size from 1x1 to `maxWidth` x
// `maxHeight`, the screen drawn on while it runs: a terminal shrunk that
// far must neither crash the program nor lock the user in a box.
inline void OnEverySmallGrid(int maxWidth, int maxHeight,
                             const std::function<void(GridScreen&)>& check) {
    for (int width = 1; width <= maxWidth; ++width) {
        for (int height = 1; height <= maxHeight; ++height) {
            GridScreen grid(width, height);
            screen::UseScreen use(grid);
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
            check(grid);
        }
    }
}

// The row and column of the first cell of `utf8` on one row; -1, -1 when
// no row shows it.
inline std::pair<int, int> Find(const GridScreen& grid, std::string_view utf8) {
    for (int y = 0; y < grid.Height(); ++y) {
        const std::string row = grid.Row(y);
        const std::size_t at = row.find(utf8);
        if (at == std::string::npos) continue;
        int x = 0;
        for (std::size_t i = 0; i < at; ++i)
            x += (static_cast<unsigned char>(row[i]) & 0xC0) != 0x80;
        return {y, x};
    }
    return {-1, -1};
}

}  // namespace edit
