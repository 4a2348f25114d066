// Drawing on a screen of cells in the host's colours, and reading its keys,
// without ncurses types in sight: the editor view and the menus and dialogs
// draw through these functions, onto the screen in use (the terminal, or an
// in-memory grid in the tests). Every cell holds one character; text beyond
// the screen is clipped.
#pragma once

#include <string_view>

#include "edit/terminal/terminal_event.hpp"

namespace edit::screen {

// The roles of the host's colour scheme.
enum class Paint {
    EditorText,
    EditorControl,  // a control byte shown as a letter
    Title,
    KeyNumber,
    KeyLabel,
    DialogText,
    DialogHotkey,
    DialogEdit,
    DialogFocus,
    MenuText,
    MenuHotkey,
    MenuSelected,
    WarningText,
    WarningFocus,
    HelpText,
    HelpBold,
    HelpLink,
    HelpLinkSelected,
    Shadow,
    EditorSelected,  // the text of a block
};

// A surface of cells with a cursor and a bell, and the input that goes with it.
class Screen {
public:
    virtual ~Screen() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // One cell inside the screen; `ch` is printable.
    virtual void Set(int y, int x, char32_t ch, Paint paint) = 0;
    // The character a cell inside the screen shows (a shadow keeps it).
    virtual char32_t At(int y, int x) const = 0;
    // Inside the screen when `visible`.
    virtual void Cursor(int y, int x, bool visible) = 0;
    virtual void Clear() = 0;
    // Shows what was drawn since the last Flush.
    virtual void Flush() = 0;
    virtual void Beep() = 0;
    // Waits up to `timeoutMs` (-1: until something happens) for the next event.
    virtual TerminalEvent Read(int timeoutMs) = 0;
};

// The functions below draw on `screen` while this lives, then on the one
// used before. With none in use they draw on a blank grid whose input ends
// the session at once.
class UseScreen {
public:
    explicit UseScreen(Screen& screen);
    ~UseScreen();
    UseScreen(const UseScreen&) = delete;
    UseScreen& operator=(const UseScreen&) = delete;

private:
    Screen* previous_;
};

int Width();
int Height();

void Put(int y, int x, std::u32string_view text, Paint paint);
void Put(int y, int x, char32_t ch, Paint paint);
void Fill(int y, int x, int width, char32_t ch, Paint paint);
// A frame from (x1, y1) to (x2, y2) inclusive, its inside filled with blanks.
void Box(int x1, int y1, int x2, int y2, bool doubleLine, Paint paint);

// The shadow a box from (x1, y1) to (x2, y2) casts, as the host draws it:
// two columns at its right and one row below it, the characters kept and
// dimmed.
void Shadow(int x1, int y1, int x2, int y2);

// The blinking cursor: placed, or hidden when `visible` is false.
void Cursor(int y, int x, bool visible);
void Clear();
void Flush();
void Beep();
TerminalEvent Read(int timeoutMs);

}  // namespace edit::screen
