// The help window: a topic of a help file (help_text.hpp) laid out on the
// screen (help_layout.hpp), links chosen with Tab and followed with Enter,
// also into another help file (help_browser.hpp), BkSp back, F1 the
// contents, Esc or F10 to close.
#pragma once

#include <string>

#include "edit/ui/help_browser.hpp"
#include "edit/ui/message_box.hpp"
#include "edit/ui/modal_stack.hpp"
#include "host/language.hpp"

namespace edit {

// Shows `topic` of `help`; a missing file or topic gets a message instead.
void RunHelp(ModalStack& stack, const host::HelpFile* help, const std::string& topic);
// The same over several help files, starting at `start`; links lead from
// one into another by name ("<Marten>Contents"), BkSp back across them,
// and F1 goes to the Contents of the file shown.
void RunHelp(ModalStack& stack, const HelpShelf& shelf, const HelpTarget& start);

// The message shown in place of a help topic that `help` lacks, or when
// there is no help file at all (`help` null).
MessageSpec MissingHelpMessage(const host::HelpFile* help, const std::string& topic);

}  // namespace edit
