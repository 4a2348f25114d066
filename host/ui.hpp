// The host's menus, dialogs and message boxes behind one interface: drawn
// with ncurses by marten-edit, played from a script by the tests.
#pragma once

#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "api/ansi_api.hpp"
#include "api/unicode_api.hpp"

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

// The calls of a Unicode plug-in, their texts in UTF-16, each window
// identified by its GUID. A Ui that does not draw them itself shows them
// through the ANSI calls above (ui_unicode.cpp), the texts in the OEM code
// page with '?' for a character it lacks; a text the user did not change
// comes back as it was.
struct UnicodeMenuItem {
    std::uint64_t flags = 0;  // MIF_ bits
    std::u16string text;
};

struct UnicodeMenuCall {
    unicode_api::GUID id{};
    std::intptr_t x = -1, y = -1, maxHeight = 0;
    std::uint64_t flags = 0;  // FMENU_ bits
    std::optional<std::u16string> title, bottom, helpTopic;
    bool hasBreakKeys = false;
    std::vector<UnicodeMenuItem> items;
};

// A message box with its lines already split (FMSG_ALLINONE) and the buttons
// the host supplies (FMSG_MB_) already added: title, body lines, buttons.
struct UnicodeMessageCall {
    unicode_api::GUID id{};
    std::uint64_t flags = 0;  // FMSG_WARNING, FMSG_LEFTALIGN
    std::optional<std::u16string> helpTopic;
    std::vector<std::u16string> items;
    int buttonCount = 0;
};

// One dialog item as the host holds it; the UI changes `selected`, `data`
// and `listPos` to return the user's values.
struct UnicodeDialogItem {
    unicode_api::FARDIALOGITEMTYPES type = unicode_api::DI_TEXT;
    std::intptr_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::intptr_t selected = 0;  // check boxes and radio buttons
    std::uint64_t flags = 0;     // DIF_ bits
    std::u16string data;
    std::optional<std::u16string> history;
    std::size_t maxLength = 0;
    std::intptr_t userData = 0;
    std::vector<std::u16string> list;  // a combo box's or list box's entries
    std::intptr_t listPos = 0;
};

struct UnicodeDialogCall {
    unicode_api::GUID id{};
    std::intptr_t x1 = -1, y1 = -1, x2 = 0, y2 = 0;
    std::optional<std::u16string> helpTopic;
    std::uint64_t flags = 0;  // FDLG_ bits
    std::vector<UnicodeDialogItem> items;
};

// What an item of a Unicode dialog shows: a list its current entry, any
// other item its text.
const std::u16string& ShownText(const UnicodeDialogItem& item);

// A Unicode plug-in's dialog in the 1.x dialog records that the UIs draw:
// each item's type, place, flags, focus and check state; a list shows as an
// edit field that holds its current entry. The texts go in in the UI's own
// forms: `data` for an item's Data, `name` for history names and the help
// topic.
struct TextForms {
    std::function<std::string(std::u16string_view)> data;
    std::function<std::string(std::u16string_view)> name;
};
struct AnsiDialog {
    std::vector<FarDialogItem> items;
    std::deque<std::string> histories;  // what the items' History fields point at
    DialogCall call;                    // its `items` point at the ones above
};
AnsiDialog AnsiDialogOf(const UnicodeDialogCall& call, const TextForms& forms);
// Takes back what the user did in the dialog drawn from `items`: the state
// of each check box and radio button, and each text that `changed` holds
// (none: the item keeps the text the plug-in gave); a list goes to the
// entry that equals its new text.
void TakeBack(UnicodeDialogCall& call, const std::vector<FarDialogItem>& items,
              const std::vector<std::optional<std::u16string>>& changed);

class Ui {
public:
    virtual ~Ui() = default;
    // Each answers as the host's service does: the chosen index, or -1.
    virtual int Menu(const MenuCall& call) = 0;
    virtual int Dialog(DialogCall& call) = 0;
    virtual int Message(const MessageCall& call) = 0;

    virtual int UnicodeMenu(const UnicodeMenuCall& call);
    virtual int UnicodeDialog(UnicodeDialogCall& call);
    virtual int UnicodeMessage(const UnicodeMessageCall& call);
    // Shows a topic of the plug-in's help file; false when the UI cannot.
    virtual bool ShowPluginHelp(const std::string& topic);
};

// Asks `ui` through `ask` on behalf of a plug-in's service: -1 (the user
// left) without a UI, or when the host's side throws.
template <class Ask>
auto AskUi(Ui* ui, Ask ask) -> decltype(ask(*ui)) {
    if (ui == nullptr) return -1;
    try {
        return ask(*ui);
    } catch (const std::exception&) {
        return -1;
    }
}

}  // namespace host
