// marten-edit's own dialogs, laid out as the host lays out the module's: a
// double frame three columns in with the title on it, one item per row from
// column 5 downwards, separators across the frame, and the buttons centred
// on the last row, the first of them the default. The texts are Unicode
// (RunTextDialog); a field may keep a history of its own.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "api/ansi_api.hpp"
#include "host/ui.hpp"

namespace edit {

class DialogForm {
public:
    // `width` counts the whole dialog, its margins included.
    DialogForm(std::u32string title, int width);

    // Each adds a row and answers the item's index.
    int Label(std::u32string text);
    // An edit field across the frame; with a history name, Ctrl+Down lists
    // what was entered before and a confirmed text is added to it.
    int Field(std::u32string text, std::string history = {});
    int Checkbox(std::u32string label, bool on);
    void Separator();
    // The buttons on one row, centred; the first is the default. The index
    // of the first; the others follow it.
    int Buttons(const std::vector<std::u32string>& labels);

    void Focus(int item);

    // The host's dialog call for the items as they stand now, centred on the
    // screen; the call points into the form, which must outlive it.
    host::DialogCall Call(const std::string& helpTopic);
    std::vector<std::u32string>& Texts() { return texts_; }

    const std::u32string& Text(int item) const { return texts_.at(static_cast<std::size_t>(item)); }
    bool Checked(int item) const { return items_.at(static_cast<std::size_t>(item)).Param.Selected != 0; }
    const std::vector<FarDialogItem>& Items() const { return items_; }

private:
    int Add(int type, int x1, int x2, DWORD flags, std::u32string text);

    int width_;
    int row_ = 2;  // the row the next item goes on
    std::vector<FarDialogItem> items_;
    std::vector<std::u32string> texts_;
    std::deque<std::string> histories_;  // the names the items' History points at
};

}  // namespace edit
