// Scrolling as the screen shows it: Ctrl+Down and Ctrl+Up move the text by a
// line while the cursor keeps its screen row, its line changing with the
// text, as in the file manager's editor.
#include "edit/view/editor_on_grid_test.hpp"

namespace edit {
namespace {

class ScrollingTest : public EditorOnGrid {
protected:
    // A file of `count` lines "line 1", "line 2", ...
    std::string Lines(int count) {
        std::string text;
        for (int n = 1; n <= count; ++n) text += "line " + std::to_string(n) + "\r\n";
        return Write("lines.txt", text);
    }
    // The window starts at `top` (row 1 is the first text row, below the
    // title line) and the cursor stands on screen row `row`, on `line`.
    void Shows(int top, int row, int line) {
        grid_.Then([this, top, row] {
            EXPECT_EQ(grid_.Row(1), "line " + std::to_string(top)) << grid_.Text();
            EXPECT_EQ(grid_.CursorY(), row);
        });
        Sees(At(line, 101, 1));
    }
};

TEST_F(ScrollingTest, CtrlDownAndUpMoveTheTextUnderTheCursorsRow) {
    const std::string file = Lines(100);
    const struct {
        const char* keys;
        int top, row, line;  // what the screen shows after the keys
    } steps[] = {
        {"", 1, 1, 1},
        {"{Ctrl+Down}{Ctrl+Down}{Ctrl+Down}", 4, 1, 4},
        {"{Ctrl+Up}", 3, 1, 3},
        // From the middle of the screen the cursor keeps its row too.
        {"{Down}{Down}{Down}{Down}{Down}{Down}{Down}{Down}{Down}", 3, 10, 12},
        {"{Ctrl+Down}", 4, 10, 13},
        {"{Ctrl+Up}{Ctrl+Up}{Ctrl+Up}", 1, 10, 10},
    };
    for (const auto& step : steps) {
        Keys(step.keys);
        Shows(step.top, step.row, step.line);
    }
    Keys("{F10}");
    EXPECT_EQ(Run({file}), 0);
}

}  // namespace
}  // namespace edit
