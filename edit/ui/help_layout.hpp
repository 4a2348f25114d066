// Where the help window and its text stand on a screen of a given size:
// paragraphs flowed into rows, the headings kept above the scrolling body.
#pragma once

#include <vector>

#include "edit/ui/help_text.hpp"

namespace edit {

// The paragraphs broken at blanks into rows of at most `width` cells; a word
// longer than a row is cut. Headings and centred lines stay one row each.
std::vector<HelpLine> FlowHelp(const std::vector<HelpLine>& paragraphs, int width);

struct HelpLayout {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // the frame's corners on the screen
    std::vector<HelpLine> headings;      // the topic's leading '$' lines, flowed
    std::vector<HelpLine> rows;          // the rest, flowed: the body that scrolls
    int bodyTop = 0;                     // the screen row of the body's first row
    int bodyRows = 0;                    // how many body rows are shown at once
};

// The window fills the screen but for a row above and below (when the
// screen has more than six rows); a line under the headings parts them from
// the body.
HelpLayout LayOutHelp(const std::vector<HelpLine>& paragraphs, int screenWidth, int screenHeight);

// The screen column where `row` begins: indented, or centred for a '^' line.
int RowStart(const HelpLayout& layout, const HelpLine& row);

// The index of the first body row that shows link number `link`; -1 when none does.
int RowOfLink(const HelpLayout& layout, int link);

}  // namespace edit
