// The editor features that ProcessEditorInput tries on a key record, in the
// order it tries them. Each one prepares the text through the editor
// operations of edit_state.hpp; all but the letter substitution leave the key
// itself to the editor.
//
// The features helper replaces features_stub.cpp with the real definitions
// (letter_substitution.cpp, quote_continuation.cpp, wrap.cpp) and deletes it.
#pragma once

#include "api/plugin_api.hpp"

namespace marten {

// Feeds the Latin look-alike of a mistyped Cyrillic letter and answers true
// (the record is consumed); false for every other key.
bool SubstituteLetter(const KEY_EVENT_RECORD& key);

// Enter: carries the quotation prefix over to the line that Enter opens.
void QuoteEnter();

// Delete at the end of a quoted line: drops the prefix of the line below.
void QuoteDelete();

// Backspace at column 0 of a quoted line: drops that line's prefix.
void QuoteBackspace();

// A typed character: wraps the cursor's line past the right margin.
void WrapCurrentLine(const KEY_EVENT_RECORD& key);

}  // namespace marten
