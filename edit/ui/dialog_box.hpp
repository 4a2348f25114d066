// The host's dialog: items drawn as the module laid them out, focus moved
// with Tab, Shift+Tab and the arrows, Space to tick a checkbox or press a
// button, Enter to press the default button, Esc to cancel, F1 for the
// dialog's help topic, Ctrl+Down (or Alt+Down) for an edit field's history.
#pragma once

#include <string>
#include <vector>

#include "edit/ui/history_store.hpp"
#include "edit/ui/menu_box.hpp"
#include "edit/ui/modal_stack.hpp"
#include "host/ui.hpp"

namespace edit {

// Runs the dialog and writes the user's values back into the items
// (Selected, Data, Focus). The answer: the index of the item that closed it,
// -1 for Esc. Closing with the default button adds each history field's
// text to its history.
int RunDialog(ModalStack& stack, host::DialogCall& call, const HelpHandler& help,
              const HistoryStore& histories);

// The same for a dialog of marten-edit's own, whose texts are Unicode:
// `texts` holds one per item (a label's text, an edit field's contents) in
// place of the items' Data, and takes the fields' values back. Its field
// histories are kept in UTF-8. `maxLengths` may bound each field's text in
// characters (0, or no entry: kTextFieldLength).
int RunTextDialog(ModalStack& stack, host::DialogCall& call, std::vector<std::u32string>& texts,
                  const HelpHandler& help, const HistoryStore& histories,
                  const std::vector<std::size_t>& maxLengths = {});

// How long a field of RunTextDialog may grow (a path name, say).
inline constexpr std::size_t kTextFieldLength = 4095;

}  // namespace edit
