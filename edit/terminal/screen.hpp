// Drawing on the terminal, in the host's colours, without ncurses types in
// sight: the editor view and the menus and dialogs draw through these.
// Every cell holds one character; text beyond the screen is clipped.
#pragma once

#include <string_view>

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

}  // namespace edit::screen
