#include "edit/terminal/screen.hpp"

#include "edit/terminal/grid_screen.hpp"

namespace edit::screen {
namespace {

Screen* g_current = nullptr;

Screen& Current() {
    if (g_current) return *g_current;
    static GridScreen blank(80, 25);
    return blank;
}

bool Inside(const Screen& s, int y, int x) {
    return y >= 0 && y < s.Height() && x >= 0 && x < s.Width();
}

}  // namespace

UseScreen::UseScreen(Screen& screen) : previous_(g_current) { g_current = &screen; }
UseScreen::~UseScreen() { g_current = previous_; }

int Width() { return Current().Width(); }
int Height() { return Current().Height(); }

void Put(int y, int x, char32_t ch, Paint paint) {
    Screen& s = Current();
    if (!Inside(s, y, x)) return;
    // A control character would move the terminal's cursor: it shows as '?'.
    if (ch < 0x20 || ch == 0x7F) ch = U'?';
    s.Set(y, x, ch, paint);
}

void Put(int y, int x, std::u32string_view text, Paint paint) {
    for (char32_t ch : text) Put(y, x++, ch, paint);
}

void Fill(int y, int x, int width, char32_t ch, Paint paint) {
    for (int i = 0; i < width; ++i) Put(y, x + i, ch, paint);
}

void Box(int x1, int y1, int x2, int y2, bool doubleLine, Paint paint) {
    const char32_t* g = doubleLine ? U"╔╗╚╝═║" : U"┌┐└┘─│";
    for (int y = y1; y <= y2; ++y) Fill(y, x1, x2 - x1 + 1, U' ', paint);
    Fill(y1, x1 + 1, x2 - x1 - 1, g[4], paint);
    Fill(y2, x1 + 1, x2 - x1 - 1, g[4], paint);
    for (int y = y1 + 1; y < y2; ++y) {
        Put(y, x1, g[5], paint);
        Put(y, x2, g[5], paint);
    }
    Put(y1, x1, g[0], paint);
    Put(y1, x2, g[1], paint);
    Put(y2, x1, g[2], paint);
    Put(y2, x2, g[3], paint);
}

void Shadow(int x1, int y1, int x2, int y2) {
    Screen& s = Current();
    auto shade = [&](int y, int x) {
        if (Inside(s, y, x)) s.Set(y, x, s.At(y, x), Paint::Shadow);
    };
    for (int y = y1 + 1; y <= y2 + 1; ++y) {
        shade(y, x2 + 1);
        shade(y, x2 + 2);
    }
    for (int x = x1 + 2; x <= x2; ++x) shade(y2 + 1, x);
}

void Cursor(int y, int x, bool visible) {
    Screen& s = Current();
    s.Cursor(y, x, visible && Inside(s, y, x));
}

void Clear() { Current().Clear(); }
void Flush() { Current().Flush(); }
void Beep() { Current().Beep(); }
TerminalEvent Read(int timeoutMs) { return Current().Read(timeoutMs); }

}  // namespace edit::screen
