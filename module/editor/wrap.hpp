// Automatic wrap and indent: a line that has grown past the right margin is
// broken at word boundaries before the editor inserts the typed character,
// the quotation prefix repeated on every new line, or the continuation lines
// of unquoted text indented.
#pragma once

#include <cstddef>
#include <string_view>

namespace marten {

// Where a text breaks: the head is text[0, headLength), the tail
// text[tailStart, end); what lies between them is blanks only.
struct MarginSplit {
    std::size_t headLength;
    std::size_t tailStart;
};

// Splits `text` so that the head is at most `width` characters (a width
// below 1 counts as 1). The break goes before the word that crosses the
// margin, blanks (TAB, blank) dropped from the end of the head and blanks
// only from the start of the tail; a word with no blank before it is cut
// after its width-th character. The head is empty when only blanks stand
// before the margin or before the crossing word.
// It looks at no more than width + 1 characters and the blanks it skips, so
// the cost of a split does not grow with the length of the text.
MarginSplit SplitAtMargin(std::string_view text, int width);

// For a typed character (the dispatch has tested the key and the setting):
// wraps the cursor's line when the cursor stands at its end and the line is
// longer than RIndent. The key itself is left to the editor.
void WrapCurrentLine();

}  // namespace marten
