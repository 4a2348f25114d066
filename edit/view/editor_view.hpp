// The editor's screen: the title line (file name, modified mark, code page,
// line and column), the text, and the key bar.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "edit/terminal/screen.hpp"
#include "engine/editor.hpp"

namespace edit {

// A screen row as the view composes it before it reaches the terminal.
class RowCells {
public:
    struct Cell {
        char32_t ch = U' ';
        screen::Paint paint = screen::Paint::EditorText;
        friend bool operator==(const Cell&, const Cell&) = default;
    };
    RowCells(int width, screen::Paint paint)
        : cells_(static_cast<std::size_t>(std::max(width, 0)), {U' ', paint}) {}
    void Put(int x, char32_t ch, screen::Paint paint) {
        if (x >= 0 && x < Width()) cells_[static_cast<std::size_t>(x)] = {ch, paint};
    }
    void Put(int x, std::u32string_view text, screen::Paint paint) {
        for (char32_t ch : text) Put(x++, ch, paint);
    }
    int Width() const { return static_cast<int>(cells_.size()); }
    const std::vector<Cell>& Cells() const { return cells_; }

private:
    std::vector<Cell> cells_;
};

class EditorView {
public:
    // Draws what changed since the last Draw and places the cursor. What is
    // shown is the engine's window, first sized to the rows and columns the
    // text has on the screen, which keeps the cursor in it. A
    // row whose text, selection and place are as they were is not drawn
    // again, so a key costs what it changed on the screen, whatever the
    // screen's size.
    void Draw(engine::Editor& editor, const std::string& name, const std::u32string& status);
    // The next Draw draws every row (the screen was drawn over meanwhile).
    void Invalidate() { valid_ = false; }
    // Rows left for the text on the current screen.
    static int TextRows();

private:
    // What a text row shows: the line, the bytes of it that can reach the
    // screen, and the screen columns of its block.
    struct RowKey {
        int line = -1;  // -1 past the end of the text
        std::string bytes;
        int selectionFrom = -1, selectionTo = -1;
        friend bool operator==(const RowKey&, const RowKey&) = default;
    };
    // Everything that all rows depend on.
    struct Frame {
        int width = 0, height = 0, left = 0, tabSize = 0;
        engine::CodePage table = engine::CodePage::Oem866;
        friend bool operator==(const Frame&, const Frame&) = default;
    };

    RowKey KeyOf(const engine::Editor& editor, int line, int width) const;
    RowCells TextRow(const engine::Editor& editor, const RowKey& key, int width) const;
    // Puts the cells of screen row `y` that differ from what it shows.
    void Show(int y, const RowCells& row);

    int left_ = 0;  // first screen column shown: the engine's, as of the last Draw
    bool valid_ = false;
    Frame frame_;
    std::vector<RowKey> rows_;
    std::u32string title_;
    std::vector<std::vector<RowCells::Cell>> shown_;  // every screen row as drawn last
};

// The title line's right part, e.g. "*  866  Line 5/30  Col 11".
std::u32string TitleStatus(const engine::Editor& editor);

// The table F8 switches to: 866 and 1251 swap; any other table goes to 866.
engine::CodePage SwitchedTable(engine::CodePage table);

}  // namespace edit
