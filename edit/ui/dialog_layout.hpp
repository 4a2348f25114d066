// Where a dialog and its items stand on the screen, and how the focus moves
// between them: the part of the host's dialog that needs no terminal.
#pragma once

#include <string>
#include <vector>

#include "api/ansi_api.hpp"

namespace edit {

struct DialogRect {
    int x = 0, y = 0;  // top-left corner on the screen
    int width = 0, height = 0;
};

// The host's rule: X1 = -1 centres the dialog across, X2 then being its
// width; Y1 = -1 likewise down. Otherwise the corners are screen positions.
// The rectangle is kept on the screen.
DialogRect PlaceDialog(int x1, int y1, int x2, int y2, int screenWidth, int screenHeight);

bool IsFocusable(const FarDialogItem& item);

// Cells an item takes in a row: "[ Text ]" for buttons, "[x] Text" for
// checkboxes, the field for edits; '&' marks do not count.
int ItemWidth(const FarDialogItem& item);

// The column of each item within the dialog. Items with DIF_CENTERGROUP
// that follow each other on one row are centred together, one blank apart.
std::vector<int> ItemColumns(const FarDialogItem* items, int count, int dialogWidth);

// The next item that can take the focus after `from`, by `step` (+1 or -1),
// wrapping around; `from` itself when no other can.
int NextFocus(const FarDialogItem* items, int count, int from, int step);

// The item that has the focus at first: the one with Focus set, else the
// first that can take it; -1 when none can.
int InitialFocus(const FarDialogItem* items, int count);

// The item with DefaultButton set, or -1.
int DefaultItem(const FarDialogItem* items, int count);

// The radio buttons of the group `item` belongs to: from the last one at or
// before it with DIF_GROUP up to the next that starts a group or is no radio button.
std::vector<int> RadioGroup(const FarDialogItem* items, int count, int item);

}  // namespace edit
