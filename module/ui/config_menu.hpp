// The module's configuration menu and its About box, described once for
// every face, and the loop that shows the menu again after each choice.
#pragma once

#include "module/ui/messages.hpp"

namespace marten {

// Lines of the configuration menu; the host answers with one of these or -1.
enum ConfigMenuLine : int {
    MenuLeft = -1,  // the user left the menu
    MenuConfigure = 0,
    MenuSeparator = 1,
    MenuAbout = 2,
    ConfigMenuLineCount = 3,
};

struct MenuLine {
    bool separator;
    MsgId text;  // of a line that is not a separator
};

inline constexpr MenuLine kConfigMenuLines[ConfigMenuLineCount] = {
    {false, MConfigure},
    {true, MFiller},
    {false, MAbout},
};

inline constexpr MsgId kConfigMenuTitle = MMenuTitle;

// The About box: its title, an empty line, the text, the filler line and
// the one button; kBlankLine stands for the empty line.
inline constexpr int kBlankLine = -1;
inline constexpr int kAboutLines[] = {MAboutTitle, kBlankLine, MAboutText, MFiller, MOk};
inline constexpr int kAboutLineCount = 5;
inline constexpr int kAboutButtonCount = 1;
inline constexpr const char* kAboutTopic = "dlgAbout";

// The menu, reopened after the dialog or the About box until the user leaves
// it. Returns 0 when the last dialog of the run was closed without
// confirmation, else 1. Every face runs this loop with its own menu, dialog
// and About box.
template <class Menu, class Dialog, class About>
int ConfigurationLoop(Menu menu, Dialog dialog, About about) {
    int choice = MenuConfigure;
    int result = 1;
    do {
        choice = menu(choice);
        if (choice == MenuConfigure) {
            result = dialog();
        } else if (choice == MenuAbout) {
            about();
        }
    } while (choice >= 0);
    return result;
}

}  // namespace marten
