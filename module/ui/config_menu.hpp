// The module's configuration menu and its About box.
#pragma once

namespace marten {

// Lines of the configuration menu; the host answers with one of these or -1.
enum ConfigMenuLine : int {
    MenuLeft = -1,  // the user left the menu
    MenuConfigure = 0,
    MenuSeparator = 1,
    MenuAbout = 2,
    ConfigMenuLineCount = 3,
};

inline constexpr const char* kAboutTopic = "dlgAbout";

// Shows the menu with the bar on line `previous` (line 0 when `previous`,
// taken as a byte, names no line) and returns the host's answer unchanged;
// -1 when the host offers no Menu service.
int ConfigMenu(int previous);

// Shows the About box with its one button; does nothing without a Message service.
void AboutBox();

// The menu, reopened after the dialog or the About box until the user leaves
// it. Returns 0 when the last dialog of the run was closed without
// confirmation, else 1. Both interfaces run this loop with their own menu,
// dialog and About box.
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

// The loop with the ANSI interface's menu, dialog and About box.
int RunConfiguration();

}  // namespace marten
