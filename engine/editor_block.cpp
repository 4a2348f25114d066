// The editor's stream block, the clipboard and the insertion of a block of
// text (a paste), which passes no character through the plug-ins.
#include <algorithm>
#include <utility>

#include "engine/clipboard.hpp"
#include "engine/editor.hpp"
#include "engine/editor_impl.hpp"

namespace engine {

// ---------------------------------------------------------------------------
// Block
// ---------------------------------------------------------------------------

void Editor::Impl::SetBlock(TextPosition from, TextPosition to) {
    from = Clamp(from);
    to = Clamp(to);
    if (to < from) std::swap(from, to);
    if (from == to)
        block.reset();
    else
        block = Block{from, to};
}

std::optional<LineSelection> Editor::Impl::SelectionOn(int n) const {
    if (!block || n < block->start.line || n > block->end.line) return std::nullopt;
    const int from = n == block->start.line ? block->start.byteColumn : 0;
    if (n != block->end.line) return LineSelection{from, -1};
    // A block that ends at the start of a line holds nothing of that line.
    if (block->end.byteColumn == from) return std::nullopt;
    return LineSelection{from, block->end.byteColumn};
}

std::string Editor::Impl::BlockText() const {
    std::string out;
    if (!block) return out;
    for (int n = block->start.line; n <= block->end.line; ++n) {
        const std::string_view text = Text(n);
        const std::size_t from =
            n == block->start.line ? static_cast<std::size_t>(block->start.byteColumn) : 0;
        const std::size_t to =
            n == block->end.line ? static_cast<std::size_t>(block->end.byteColumn) : text.size();
        out.append(text.substr(from, to - from));
        if (n != block->end.line) out += '\n';
    }
    return out;
}

bool Editor::Impl::DeleteBlock() {
    if (!block) return false;
    const Block b = *block;
    const auto startPos = static_cast<std::size_t>(b.start.byteColumn);
    if (b.start.line == b.end.line) {
        Change().Splice(b.start.line, startPos,
                        static_cast<std::size_t>(b.end.byteColumn - b.start.byteColumn), {});
    } else {
        // The first line keeps its head and takes the last line's tail and
        // end-of-line; the lines from the second to the last go.
        const std::string_view tail =
            Text(b.end.line).substr(static_cast<std::size_t>(b.end.byteColumn));
        Change().Splice(b.start.line, startPos, lines.At(b.start.line).Size() - startPos, tail);
        SetLineEol(b.start.line, EolAt(b.end.line));
        for (int k = b.start.line; k < b.end.line; ++k) Change().Erase(b.start.line + 1);
    }
    curLine = b.start.line;
    curPos = b.start.byteColumn;
    return true;
}

// ---------------------------------------------------------------------------
// Inserting a block of text
// ---------------------------------------------------------------------------

void Editor::Impl::InsertBlock(std::string_view bytes) {
    DeleteBlock();
    // The pieces between line breaks, any of CR LF, LF and CR.
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        pieces.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    pieces.push_back(bytes.substr(start));
    if (pieces.size() == 1 && pieces[0].empty()) return;

    const Eol eol = DefaultEol();  // before line 0 may give up its own below
    FillToCursor();
    const auto pos = static_cast<std::size_t>(curPos);
    if (pieces.size() == 1) {
        Change().Splice(curLine, pos, 0, pieces[0]);
        curPos += static_cast<int>(pieces[0].size());
        return;
    }
    // The cursor's line takes the first piece; the rest of it goes below the
    // last piece, with the line's own end-of-line.
    std::string tail(Text(curLine).substr(pos));
    const Eol tailEol = EolAt(curLine);
    Change().Splice(curLine, pos, tail.size(), pieces.front());
    SetLineEol(curLine, eol);
    int at = curLine;
    for (std::size_t k = 1; k + 1 < pieces.size(); ++k) Change().Insert(++at, pieces[k], eol);
    tail.insert(0, pieces.back());
    Change().Insert(++at, tail, tailEol);
    curLine = at;
    curPos = static_cast<int>(pieces.back().size());
}

// ---------------------------------------------------------------------------
// Clipboard
// ---------------------------------------------------------------------------

bool Editor::Impl::CopyBlock() {
    if (!block || !clipboard) return false;
    clipboard->SetText(ToUtf8(table, BlockText()));
    return true;
}

bool Editor::Impl::PasteClipboard() {
    if (!clipboard) return false;
    const std::optional<std::string> text = clipboard->GetText();
    if (!text) return false;
    std::size_t lost = 0;
    const std::string bytes = FromUtf8(table, *text, &lost);
    unkept += lost;
    InsertBlock(bytes);
    return true;
}

// ---------------------------------------------------------------------------
// Editor
// ---------------------------------------------------------------------------

std::optional<Block> Editor::Selection() const { return impl_->block; }
std::optional<LineSelection> Editor::SelectionOn(int line) const {
    return impl_->SelectionOn(line);
}

bool Editor::IsSelected(int line, int pos) const {
    const std::optional<LineSelection> part = impl_->SelectionOn(line);
    return part && pos >= part->from && (part->to < 0 || pos < part->to);
}

void Editor::Select(TextPosition from, TextPosition to) {
    impl_->SetBlock(from, to);
    impl_->CheckInvariant();
}

void Editor::SelectAll() {
    impl_->SetBlock({0, 0}, {impl_->LastLine(), impl_->Length(impl_->LastLine())});
}

void Editor::ClearSelection() { impl_->block.reset(); }
std::string Editor::SelectedText() const { return impl_->BlockText(); }

bool Editor::DeleteSelection() {
    return AsOneStep(*impl_, [this] { return impl_->DeleteBlock(); });
}

void Editor::SetClipboard(Clipboard* clipboard) { impl_->clipboard = clipboard; }
bool Editor::CopySelection() { return impl_->CopyBlock(); }

bool Editor::CutSelection() {
    return AsOneStep(*impl_, [this] { return impl_->CopyBlock() && impl_->DeleteBlock(); });
}

bool Editor::Paste() {
    return AsOneStep(*impl_, [this] { return impl_->PasteClipboard(); });
}

void Editor::InsertBlock(std::string_view bytes) {
    AsOneStep(*impl_, [&] {
        impl_->InsertBlock(bytes);
        return true;
    });
}

std::size_t Editor::InsertUtf8Block(std::string_view utf8) {
    std::size_t lost = 0;
    const std::string bytes = FromUtf8(impl_->table, utf8, &lost);
    InsertBlock(bytes);
    return lost;
}

std::size_t Editor::TakeUnkeptCount() { return std::exchange(impl_->unkept, 0); }

}  // namespace engine
