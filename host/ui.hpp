// The host's menus, dialogs and message boxes behind one interface: drawn
// with ncurses by marten-edit, played from a script by the tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "api/plugin_api.hpp"

namespace host {

// Every argument of a Menu call, copied.
struct MenuCall {
    int pluginNumber = 0;
    int x = 0, y = 0, maxHeight = 0;
    DWORD flags = 0;
    std::optional<std::string> title, bottom, helpTopic;  // nullopt for a null pointer
    bool hasBreakKeys = false, hasBreakCode = false;
    std::vector<FarMenuItem> items;
};

// Every argument of a Dialog call; `items` points at the module's array,
// which the UI changes in place to return the user's values.
struct DialogCall {
    int pluginNumber = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::optional<std::string> helpTopic;
    FarDialogItem* items = nullptr;
    int itemCount = 0;
};

// Every argument of a Message call, copied.
struct MessageCall {
    int pluginNumber = 0;
    DWORD flags = 0;
    std::optional<std::string> helpTopic;
    std::vector<std::optional<std::string>> items;  // title, body lines, buttons
    int buttonCount = 0;
};

class Ui {
public:
    virtual ~Ui() = default;
    // Each answers as the host's service does: the chosen index, or -1.
    virtual int Menu(const MenuCall& call) = 0;
    virtual int Dialog(DialogCall& call) = 0;
    virtual int Message(const MessageCall& call) = 0;
};

}  // namespace host
