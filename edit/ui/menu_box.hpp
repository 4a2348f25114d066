// The host's menu: a double frame with a title, lines with hot keys,
// separators and check marks, a bar that Up, Down, Home, End, PgUp and PgDn
// move, Enter to choose, Esc to leave, F1 for the menu's help topic.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "edit/ui/modal_stack.hpp"

namespace edit {

struct MenuLine {
    std::u32string text;     // with '&' before the hot key, unless showAmpersand
    bool separator = false;
    char32_t check = 0;      // a check mark in front, 0 for none
};

struct MenuSpec {
    std::u32string title, bottom;
    std::vector<MenuLine> lines;
    int selected = 0;        // the line under the bar at first
    int x = -1, y = -1;      // top-left corner; -1 centres
    int maxHeight = 0;       // lines shown at most, 0 for as many as fit
    bool showAmpersand = false;
    bool autoHotkeys = false;  // give lines without '&' the first free letter
    std::string helpTopic;   // empty for none
};

using HelpHandler = std::function<void(const std::string& topic)>;

// The chosen line, or -1 when the user leaves.
int RunMenu(ModalStack& stack, const MenuSpec& menu, const HelpHandler& help);

// The line the bar lands on moving from `from` by `step` (+1 or -1) over
// separators; wraps around the ends. -1 when no line can take the bar.
int NextSelectable(const std::vector<MenuLine>& lines, int from, int step);

// Each line's hot key, case folded (0 for none): its '&' letter, or with
// `autoHotkeys` the first letter or digit of its text that no line took yet.
std::vector<char32_t> MenuHotkeys(const std::vector<MenuLine>& lines, bool showAmpersand,
                                  bool autoHotkeys);

}  // namespace edit
