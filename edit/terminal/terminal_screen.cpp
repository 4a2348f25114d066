#include "edit/terminal/terminal_screen.hpp"

#include <ncursesw/curses.h>

#include "edit/terminal/locale.hpp"
#include "edit/terminal/terminal.hpp"

namespace edit {
namespace {

using screen::Paint;

struct Colour {
    short foreground;
    short background;
    bool bright;
    attr_t mono;  // the attribute on a terminal without colours
};

// Indexed by Paint; the pair number is the index plus one.
constexpr Colour kScheme[] = {
    {COLOR_CYAN, COLOR_BLUE, true, A_NORMAL},                   // EditorText
    {COLOR_BLUE, COLOR_CYAN, false, A_REVERSE},                 // EditorControl
    {COLOR_BLACK, COLOR_CYAN, false, A_REVERSE},                // Title
    {COLOR_WHITE, COLOR_BLACK, true, A_BOLD},                   // KeyNumber
    {COLOR_BLACK, COLOR_CYAN, false, A_REVERSE},                // KeyLabel
    {COLOR_BLACK, COLOR_WHITE, false, A_REVERSE},               // DialogText
    {COLOR_YELLOW, COLOR_WHITE, true, A_REVERSE | A_BOLD},      // DialogHotkey
    {COLOR_BLACK, COLOR_CYAN, false, A_UNDERLINE},              // DialogEdit
    {COLOR_WHITE, COLOR_CYAN, true, A_BOLD},                    // DialogFocus
    {COLOR_WHITE, COLOR_CYAN, true, A_REVERSE},                 // MenuText
    {COLOR_YELLOW, COLOR_CYAN, true, A_REVERSE | A_BOLD},       // MenuHotkey
    {COLOR_WHITE, COLOR_BLACK, true, A_NORMAL},                 // MenuSelected
    {COLOR_WHITE, COLOR_RED, true, A_REVERSE},                  // WarningText
    {COLOR_BLACK, COLOR_WHITE, false, A_NORMAL},                // WarningFocus
    {COLOR_BLACK, COLOR_CYAN, false, A_REVERSE},                // HelpText
    {COLOR_WHITE, COLOR_CYAN, true, A_REVERSE | A_BOLD},        // HelpBold
    {COLOR_YELLOW, COLOR_CYAN, true, A_REVERSE | A_UNDERLINE},  // HelpLink
    {COLOR_WHITE, COLOR_BLACK, true, A_NORMAL},                 // HelpLinkSelected
    {COLOR_WHITE, COLOR_BLACK, false, A_DIM},                   // Shadow
    {COLOR_BLACK, COLOR_CYAN, false, A_REVERSE},                // EditorSelected
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

int TerminalScreen::Width() const { return COLS; }
int TerminalScreen::Height() const { return LINES; }

void TerminalScreen::Set(int y, int x, char32_t ch, Paint paint) {
    attr_t attr;
    short pair;
    Attributes(paint, &attr, &pair);
    wchar_t text[2] = {static_cast<wchar_t>(Displayable(ch)), 0};
    cchar_t cell;
    setcchar(&cell, text, attr, pair, nullptr);
    mvadd_wch(y, x, &cell);
}

char32_t TerminalScreen::At(int y, int x) const {
    cchar_t cell;
    if (mvin_wch(y, x, &cell) == ERR) return U' ';
    wchar_t text[CCHARW_MAX + 1] = {};
    attr_t attr;
    short pair;
    if (getcchar(&cell, text, &attr, &pair, nullptr) == ERR || text[0] == 0) return U' ';
    return static_cast<char32_t>(text[0]);
}

void TerminalScreen::Cursor(int y, int x, bool visible) {
    // Each change of the cursor's visibility is written to the terminal at once.
    if (cursorShown_ != (visible ? 1 : 0)) {
        cursorShown_ = visible ? 1 : 0;
        curs_set(cursorShown_);
    }
    if (visible) move(y, x);
}

void TerminalScreen::Clear() { erase(); }
void TerminalScreen::Flush() { refresh(); }
void TerminalScreen::Beep() { beep(); }
TerminalEvent TerminalScreen::Read(int timeoutMs) { return Terminal::Read(timeoutMs); }

}  // namespace edit
