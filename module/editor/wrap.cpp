// The wrap in the editor of the ANSI interface.
#include "module/editor/wrap.hpp"

#include "module/editor/edit_state.hpp"

namespace marten {

void WrapCurrentLine() {
    AnsiEditor ed;
    WrapCurrentLine(ed);
}

}  // namespace marten
