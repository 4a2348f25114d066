#include "edit/terminal/screen.hpp"

#include <ncursesw/curses.h>

#include "edit/terminal/locale.hpp"

namespace edit::screen {
namespace {

struct Colour {
    short foreground;
    short background;
    bool bright;
    attr_t mono;  // the attribute on a terminal without colours
};

// Indexed by Paint; the pair number is the index plus one.
constexpr Colour kScheme[] = {
    {COLOR_CYAN, COLOR_BLUE, true, A_NORMAL},     // EditorText
    {COLOR_BLUE, COLOR_CYAN, false, A_REVERSE},   // EditorControl
    {COLOR_BLACK, COLOR_CYAN, false, A_REVERSE},  // Title
    {COLOR_WHITE, COLOR_BLACK, true, A_BOLD},     // KeyNumber
    {COLOR_BLACK, COLOR_CYAN, false, A_REVERSE},  // KeyLabel
    {COLOR_BLACK, COLOR_WHITE, false, A_REVERSE},  // DialogText
    {COLOR_YELLOW, COLOR_WHITE, true, A_REVERSE | A_BOLD},  // DialogHotkey
    {COLOR_BLACK, COLOR_CYAN, false, A_UNDERLINE},  // DialogEdit
    {COLOR_WHITE, COLOR_CYAN, true, A_BOLD},       // DialogFocus
    {COLOR_WHITE, COLOR_CYAN, true, A_REVERSE},    // MenuText
    {COLOR_YELLOW, COLOR_CYAN, true, A_REVERSE | A_BOLD},  // MenuHotkey
    {COLOR_WHITE, COLOR_BLACK, true, A_NORMAL},    // MenuSelected
    {COLOR_WHITE, COLOR_RED, true, A_REVERSE},     // WarningText
    {COLOR_BLACK, COLOR_WHITE, false, A_NORMAL},   // WarningFocus
    {COLOR_BLACK, COLOR_CYAN, false, A_REVERSE},   // HelpText
    {COLOR_WHITE, COLOR_CYAN, true, A_REVERSE | A_BOLD},  // HelpBold
    {COLOR_YELLOW, COLOR_CYAN, true, A_REVERSE | A_UNDERLINE},  // HelpLink
    {COLOR_WHITE, COLOR_BLACK, true, A_NORMAL},    // HelpLinkSelected
    {COLOR_WHITE, COLOR_BLACK, false, A_DIM},      // Shadow
    {COLOR_BLACK, COLOR_CYAN, false, A_REVERSE},   // EditorSelected
};

bool g_paired = false;

// Colour pairs are made on first use, after initscr.
void EnsurePairs() {
    if (g_paired || !has_colors()) return;
    g_paired = true;
    for (short i = 0; i < static_cast<short>(sizeof kScheme / sizeof kScheme[0]); ++i) {
        init_pair(static_cast<short>(i + 1), kScheme[i].foreground, kScheme[i].background);
    }
}

void Attributes(Paint paint, attr_t* attr, short* pair) {
    EnsurePairs();
    const Colour& c = kScheme[static_cast<int>(paint)];
    if (has_colors()) {
        *attr = c.bright ? A_BOLD : A_NORMAL;
        *pair = static_cast<short>(static_cast<int>(paint) + 1);
    } else {
        *attr = c.mono;
        *pair = 0;
    }
}

}  // namespace

int Width() { return COLS; }
int Height() { return LINES; }

void Put(int y, int x, char32_t ch, Paint paint) {
    if (y < 0 || y >= LINES || x < 0 || x >= COLS) return;
    attr_t attr;
    short pair;
    Attributes(paint, &attr, &pair);
    wchar_t text[2] = {static_cast<wchar_t>(Displayable(ch)), 0};
    if (ch < 0x20 || ch == 0x7F) text[0] = L'?';
    cchar_t cell;
    setcchar(&cell, text, attr, pair, nullptr);
    mvadd_wch(y, x, &cell);
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
    attr_t attr;
    short pair;
    Attributes(Paint::Shadow, &attr, &pair);
    auto shade = [&](int y, int x) {
        if (y < 0 || y >= LINES || x < 0 || x >= COLS) return;
        cchar_t cell;
        if (mvin_wch(y, x, &cell) == ERR) return;
        wchar_t text[CCHARW_MAX + 1] = {};
        attr_t oldAttr;
        short oldPair;
        if (getcchar(&cell, text, &oldAttr, &oldPair, nullptr) == ERR) return;
        cchar_t shaded;
        setcchar(&shaded, text, attr, pair, nullptr);
        mvadd_wch(y, x, &shaded);
    };
    for (int y = y1 + 1; y <= y2 + 1; ++y) {
        shade(y, x2 + 1);
        shade(y, x2 + 2);
    }
    for (int x = x1 + 2; x <= x2; ++x) shade(y2 + 1, x);
}

void Cursor(int y, int x, bool visible) {
    visible = visible && y >= 0 && y < LINES && x >= 0 && x < COLS;
    // Each change of the cursor's visibility is written to the terminal at once.
    static int shown = -1;
    if (shown != (visible ? 1 : 0)) {
        shown = visible ? 1 : 0;
        curs_set(shown);
    }
    if (visible) move(y, x);
}

void Clear() { erase(); }
void Flush() { refresh(); }
void Beep() { beep(); }

}  // namespace edit::screen
