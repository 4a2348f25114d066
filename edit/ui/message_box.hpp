// The host's message box: a title in a double frame, body lines (centred
// unless left-aligned), a row of centred buttons; red for a warning.
#pragma once

#include <string>
#include <vector>

#include "edit/ui/menu_box.hpp"
#include "edit/ui/modal_stack.hpp"

namespace edit {

struct MessageSpec {
    std::u32string title;
    std::vector<std::u32string> lines;
    std::vector<std::u32string> buttons;  // none: shown, and the call returns at once
    bool warning = false;
    bool leftAlign = false;
    std::string helpTopic;
    // A screen row the box must leave in sight (the match that a question
    // is about); -1 for none. The box is centred unless that covers it.
    int avoidRow = -1;
};

// The button pressed, or -1 for Esc (and for a box without buttons). Lines
// too long for the screen are broken at blanks, never cut off.
int RunMessage(ModalStack& stack, const MessageSpec& message, const HelpHandler& help);

// The top row of a box `height` rows high (its shadow takes one more) on a
// screen `screenHeight` rows high: centred, or, when that would cover
// `avoidRow`, below it (above it when the row lies in the lower half) or
// else on its other side; centred all the same when neither side has room.
int MessageTop(int height, int screenHeight, int avoidRow);

// `line` broken into pieces of at most `width` characters, at the last blank
// that fits where there is one.
std::vector<std::u32string> BreakLine(const std::u32string& line, int width);

}  // namespace edit
