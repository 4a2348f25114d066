// Quote continuation: keeps quotation prefixes right when the user breaks or
// joins quoted lines. Each branch only prepares the text; the editor then
// carries out the key itself (breaks the line at the cursor, or joins two
// lines), so the module never moves the cursor here.
#pragma once

namespace marten {

// Enter inside the text of a quoted line: inserts the line's prefix (leading
// blanks trimmed) at the cursor, so that the line the editor opens starts with it.
void QuoteEnter();

// Delete at the very end of a line: removes the prefix of the line below when
// both lines are quoted, before the editor joins them.
void QuoteDelete();

// Backspace at the start of a line (the caller has checked the column):
// removes that line's prefix when it and the line above are both quoted.
void QuoteBackspace();

}  // namespace marten
