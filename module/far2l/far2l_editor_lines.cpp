// far2l's editor's whole-line commands, which the reflow command works
// through: lines come and go by ECTL_INSERTSTRING and ECTL_DELETESTRING,
// which no plug-in's key handling sees, never as typed keys.
#include "module/far2l/far2l_editor.hpp"

namespace marten::far2l {

std::optional<LineRange> Far2lEditor::MarkedLines() {
    RefreshInfo();
    if (info_.BlockType == 0 /* no block */ || info_.BlockStartLine < 0) return std::nullopt;
    const auto first = static_cast<std::size_t>(info_.BlockStartLine);
    std::size_t last = first;
    for (int n = info_.BlockStartLine + 1; n < info_.TotalLines; ++n) {
        far2l_api::EditorGetString line{};
        line.StringNumber = n;
        if (Call(far2l_api::ECTL_GETSTRING, &line) == 0 || line.SelStart < 0) break;
        // A block that ends at the start of a line leaves that line out.
        if (line.SelStart == 0 && line.SelEnd == 0) break;
        last = static_cast<std::size_t>(n);
    }
    return LineRange{first, last};
}

std::basic_string_view<wchar_t> Far2lEditor::ViewLine(std::int64_t n) {
    far2l_api::EditorGetString rec{};
    rec.StringNumber = static_cast<int>(n);
    if (Call(far2l_api::ECTL_GETSTRING, &rec) == 0 || rec.StringText == nullptr ||
        rec.StringLength <= 0) {
        return {};
    }
    return {rec.StringText, static_cast<std::size_t>(rec.StringLength)};
}

void Far2lEditor::ReplaceLine(std::int64_t n, std::basic_string_view<wchar_t> text) {
    // Copied first: the text may be the editor's own, which a change invalidates.
    workLine.assign(text);
    StoreLine(n, workLine);
}

void Far2lEditor::InsertLineBefore(std::int64_t n) {
    int indent = 0;  // the editor's auto-indent adds nothing
    AtLineStart(n, far2l_api::ECTL_INSERTSTRING, &indent);
}

void Far2lEditor::DeleteLine(std::int64_t n) {
    AtLineStart(n, far2l_api::ECTL_DELETESTRING, nullptr);
}

void Far2lEditor::AtLineStart(std::int64_t n, far2l_api::EDITOR_CONTROL_COMMANDS command,
                              void* param) {
    SetCursor(n, 0);
    BeforeChange();
    Call(command, param);
}

void Far2lEditor::SetCursor(std::int64_t line, std::int64_t column) {
    // -1: the other fields stay as they are.
    far2l_api::EditorSetPosition rec{
        static_cast<int>(line), static_cast<int>(column), -1, -1, -1, -1};
    Call(far2l_api::ECTL_SETPOSITION, &rec);
}

}  // namespace marten::far2l
