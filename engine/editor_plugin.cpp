// What a plug-in asks of the editor, in the engine's terms: set a line,
// break one, delete one or a character, insert text, move the cursor and
// the window. Each is a change of its own, or part of the undo step open.
#include <algorithm>
#include <optional>
#include <string>

#include "engine/editor.hpp"
#include "engine/editor_impl.hpp"

namespace engine {

Eol Editor::DefaultEol() const { return impl_->DefaultEol(); }

bool Editor::SetLine(int n, std::string_view text, std::optional<Eol> eol) {
    Impl& e = *impl_;
    if (n < 0 || n > e.LastLine()) return false;
    // A line inside the document cannot lose its end-of-line without
    // merging with the next one when the file is saved.
    if (eol == Eol::None && n != e.LastLine()) eol = e.DefaultEol();
    return AsOneStep(e, [&] {
        e.Change().SetText(n, text);
        if (eol) e.SetLineEol(n, *eol);
        return true;
    });
}

void Editor::BreakLine(bool allowAutoIndent) {
    Impl& e = *impl_;
    AsOneStep(e, [&] {
        e.BreakLine(e.options.autoIndent && allowAutoIndent);
        return true;
    });
}

void Editor::DeleteLine() {
    AsOneStep(*impl_, [this] {
        impl_->DeleteLine();
        return true;
    });
}

void Editor::DeleteChar() {
    AsOneStep(*impl_, [this] {
        impl_->DeleteChar();
        return true;
    });
}

void Editor::InsertText(std::string_view text) {
    AsOneStep(*impl_, [&] {
        impl_->InsertText(text);
        return true;
    });
}

void Editor::SetPosition(const PositionChange& change) {
    Impl& e = *impl_;
    if (change.line) e.curLine = std::clamp(*change.line, 0, e.LastLine());
    if (change.byteColumn)
        e.curPos = e.CharStart(e.curLine, std::clamp(*change.byteColumn, 0, e.ColumnLimit()));
    else if (change.screenColumn)
        e.curPos = e.PosOfTabPos(e.curLine, std::max(0, change.screenColumn->Value()));
    if (change.topLine) e.topLine = std::clamp(*change.topLine, 0, e.LastLine());
    if (change.leftPos) e.leftPos = ClampColumn(*change.leftPos);
    if (change.overtype) e.overtype = *change.overtype;
    e.ScrollToCursor();
    e.KeepCursorOnCharacter();
    e.CheckInvariant();
}

}  // namespace engine
