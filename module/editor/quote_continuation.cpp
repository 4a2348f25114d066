// Quote continuation in the editor of the ANSI interface.
#include "module/editor/quote_continuation.hpp"

#include "module/editor/edit_state.hpp"

namespace marten {

void QuoteEnter() {
    AnsiEditor ed;
    QuoteEnter(ed);
}

void QuoteDelete() {
    AnsiEditor ed;
    QuoteDelete(ed);
}

void QuoteBackspace() {
    AnsiEditor ed;
    QuoteBackspace(ed);
}

}  // namespace marten
