// The Unicode editor's whole-line commands, which the reflow command works
// through: lines come and go by ECTL_INSERTSTRING and ECTL_DELETESTRING,
// which no plug-in's key handling sees, never as typed keys.
#include "module/unicode/unicode_editor.hpp"

namespace marten::unicode {

std::optional<LineRange> UnicodeEditor::MarkedLines() {
    RefreshInfo();
    if (info_.BlockType == 0 /* no block */ || info_.BlockStartLine < 0) return std::nullopt;
    const auto first = static_cast<std::size_t>(info_.BlockStartLine);
    std::size_t last = first;
    for (std::int64_t n = info_.BlockStartLine + 1; n < info_.TotalLines; ++n) {
        unicode_api::EditorGetString line{};
        line.StructSize = sizeof line;
        line.StringNumber = static_cast<std::intptr_t>(n);
        if (Call(unicode_api::ECTL_GETSTRING, 0, &line) == 0 || line.SelStart < 0) break;
        // A block that ends at the start of a line leaves that line out.
        if (line.SelStart == 0 && line.SelEnd == 0) break;
        last = static_cast<std::size_t>(n);
    }
    return LineRange{first, last};
}

std::basic_string_view<WChar> UnicodeEditor::ViewLine(std::int64_t n) {
    fetched_ = unicode_api::EditorGetString{};
    fetched_.StructSize = sizeof fetched_;
    fetched_.StringNumber = static_cast<std::intptr_t>(n);
    if (Call(unicode_api::ECTL_GETSTRING, 0, &fetched_) == 0 || fetched_.StringText == nullptr ||
        fetched_.StringLength <= 0) {
        return {};
    }
    return {fetched_.StringText, static_cast<std::size_t>(fetched_.StringLength)};
}

void UnicodeEditor::ReplaceLine(std::int64_t n, std::basic_string_view<WChar> text) {
    // Copied first: the text may be the editor's own, which a change invalidates.
    workLine.assign(text);
    StoreLine(n, workLine);
}

void UnicodeEditor::InsertLineBefore(std::int64_t n) {
    SetCursor(n, 0);
    BeforeChange();
    int indent = 0;  // the editor's auto-indent adds nothing
    Call(unicode_api::ECTL_INSERTSTRING, 0, &indent);
}

void UnicodeEditor::DeleteLine(std::int64_t n) {
    SetCursor(n, 0);
    BeforeChange();
    Call(unicode_api::ECTL_DELETESTRING, 0, nullptr);
}

void UnicodeEditor::SetCursor(std::int64_t line, std::int64_t column) {
    unicode_api::EditorSetPosition rec{};
    rec.StructSize = sizeof rec;
    rec.CurLine = static_cast<std::intptr_t>(line);
    rec.CurPos = static_cast<std::intptr_t>(column);
    rec.CurTabPos = rec.TopScreenLine = rec.LeftPos = rec.Overtype = -1;  // as they are
    Call(unicode_api::ECTL_SETPOSITION, 0, &rec);
}

}  // namespace marten::unicode
