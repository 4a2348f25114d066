// The screen of the terminal that Terminal took over: cells in the
// terminal's colours (or attributes, without colours), its cursor and bell,
// and the terminal's keys.
#pragma once

#include "edit/terminal/screen.hpp"

namespace edit {

class TerminalScreen : public screen::Screen {
public:
    int Width() const override;
    int Height() const override;
    void Set(int y, int x, char32_t ch, screen::Paint paint) override;
    char32_t At(int y, int x) const override;
    void Cursor(int y, int x, bool visible) override;
    void Clear() override;
    void Flush() override;
    void Beep() override;
    TerminalEvent Read(int timeoutMs) override;

private:
    int cursorShown_ = -1;  // what the terminal was last told, -1 before that
};

}  // namespace edit
