// A screen in memory: a grid of cells with characters and colours, a cursor
// and a count of bells, whose input is a script of keys, pastes, resizes and
// steps. The editor runs on it as on the terminal, so that a test feeds
// keys and reads the cells back.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "edit/terminal/screen.hpp"

namespace edit {

class GridScreen : public screen::Screen {
public:
    struct Cell {
        char32_t ch = U' ';
        screen::Paint paint = screen::Paint::EditorText;
    };

    GridScreen(int width, int height);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Set(int y, int x, char32_t ch, screen::Paint paint) override;
    char32_t At(int y, int x) const override { return CellAt(y, x).ch; }
    void Cursor(int y, int x, bool visible) override;
    void Clear() override;
    void Flush() override {}
    void Beep() override { ++beeps_; }
    // The next event of the script. Before a step the program is told that
    // nothing waits, and the step runs at its next read, however long that
    // read would wait: by then the program has drawn what the keys before
    // did, which is what a user sees. Once the script is done, every read
    // ends the session, as a hang-up does.
    TerminalEvent Read(int timeoutMs) override;

    // The script, played in the order given. `script` names keys as a
    // batch run does ("{F11}", "{Ctrl+y}", "ab{Enter}"); a malformed one
    // throws std::invalid_argument with the parser's message.
    void Keys(std::string_view script);
    // Characters typed as the terminal delivers them, UTF-8.
    void Type(std::string_view utf8);
    // What a terminal's paste delivers, UTF-8.
    void Paste(std::string utf8);
    // The window takes a new size.
    void Resize(int width, int height);
    // Something to do (mostly to check) once what came before is drawn.
    void Then(std::function<void()> step);

    const Cell& CellAt(int y, int x) const;
    // Row `y` as UTF-8, its trailing blanks left out.
    std::string Row(int y) const;
    // Every row as Row gives it, each ended by '\n'.
    std::string Text() const;
    // True when `utf8` stands in Text(), which may span rows.
    bool Shows(std::string_view utf8) const;
    int CursorY() const { return cursorY_; }
    int CursorX() const { return cursorX_; }
    bool CursorVisible() const { return cursorVisible_; }
    int Beeps() const { return beeps_; }

private:
    struct Entry {
        TerminalEvent event;
        std::function<void()> step;  // set for a step
        int width = 0, height = 0;   // for a resize
    };

    int width_, height_;
    std::vector<Cell> cells_;
    int cursorY_ = 0, cursorX_ = 0;
    bool cursorVisible_ = false;
    int beeps_ = 0;
    bool idle_ = false;  // the last read found nothing
    std::deque<Entry> script_;
};

}  // namespace edit
