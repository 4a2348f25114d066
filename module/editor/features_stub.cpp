// Placeholder definitions of the editor features, so that the dispatch links
// before the features land. The features helper replaces this file.
#include "module/editor/features.hpp"

namespace marten {

bool SubstituteLetter(const KEY_EVENT_RECORD&) { return false; }
void QuoteEnter() {}
void QuoteDelete() {}
void QuoteBackspace() {}
void WrapCurrentLine(const KEY_EVENT_RECORD&) {}

}  // namespace marten
