// The editor's own commands and typing, as the file manager's editor carries
// out the keys that no plug-in consumed (the list is in editor.hpp).
#include <algorithm>
#include <optional>

#include "engine/editor.hpp"
#include "engine/editor_impl.hpp"

namespace engine {
namespace {

// Where a Shift+move extends the block from: the block's other end when the
// cursor stands at one of its ends, else the cursor itself.
TextPosition BlockAnchor(const Editor::Impl& e) {
    const TextPosition at = e.Clamp(e.Cursor());
    if (e.block && at == e.block->start) return e.block->end;
    if (e.block && at == e.block->end) return e.block->start;
    return at;
}

void Move(Editor::Impl& e, Command command) {
    const int page = std::max(1, e.options.windowHeight - 1);
    const int last = e.LastLine();
    switch (command) {
    case Command::Left:
        if (e.curPos > e.CurLength()) {
            --e.curPos;
        } else if (e.curPos > 0) {
            e.curPos = static_cast<int>(
                CharStartBefore(e.table, e.Text(e.curLine), static_cast<std::size_t>(e.curPos)));
        } else if (e.curLine > 0) {
            --e.curLine;
            e.curPos = e.CurLength();
        }
        break;
    case Command::Right: {
        const bool inText = e.curPos < e.CurLength();
        const auto step = inText ? CharLength(e.table, e.Text(e.curLine), e.curPos) : 1;
        e.curPos = std::min(e.curPos + static_cast<int>(step), e.ColumnLimit());
        break;
    }
    case Command::WordLeft: e.WordLeft(); break;
    case Command::WordRight: e.WordRight(); break;
    case Command::Up: e.ToLineKeepingColumn(std::max(0, e.curLine - 1)); break;
    case Command::Down: e.ToLineKeepingColumn(std::min(last, e.curLine + 1)); break;
    case Command::Home: e.curPos = 0; break;
    case Command::End: e.curPos = e.CurLength(); break;
    case Command::DocStart:
        e.curLine = 0;
        e.curPos = 0;
        break;
    case Command::DocEnd:
        e.curLine = last;
        e.curPos = e.CurLength();
        break;
    case Command::PageUp: e.Page(-page); break;
    case Command::PageDown: e.Page(page); break;
    default: break;
    }
}

// Types a character `count` times, as plain typing that may join a run; a
// block is removed first when `replaceBlock`, and the character then goes
// in by the current mode: in overtype it replaces the character after the
// block, and the cursor stays where the block began, as the file manager's
// editor leaves it.
void TypeCharacter(Editor::Impl& e, TableChar c, int count, bool replaceBlock) {
    const bool replacing = replaceBlock && e.DeleteBlock();
    const int line = e.curLine, pos = e.curPos;
    e.typing = true;
    struct Restore {
        Editor::Impl& e;
        ~Restore() { e.typing = false; }
    } restore{e};
    e.TypeChar(c, count);  // one change, however large the repeat count
    if (replacing && e.overtype && e.curLine == line) e.curPos = pos;
}

// Puts back a block that an edit at the cursor dropped, brought into the
// text; none when nothing of it is left.
void KeepBlock(Editor::Impl& e, std::optional<Block> kept) {
    if (!kept) return;
    const TextPosition start = e.Clamp(kept->start);
    const TextPosition end = e.Clamp(kept->end);
    if (start < end)
        e.block = Block{start, end};
    else
        e.block.reset();
}

// Tab in overtype: the cursor goes to the next tab stop, nothing is written.
void TabStop(Editor::Impl& e) {
    const long long next = NextTabStop(e.TabPos(e.curLine, e.curPos), e.options.tabSize);
    e.curPos = std::min(e.PosOfTabPos(e.curLine, ClampColumn(next)), e.ColumnLimit());
}

// Del and BkSp: the block goes when "Del removes blocks" says so; else the
// key acts at the cursor and the block stays where it was.
template <class Edit>
void DeleteKey(Editor::Impl& e, Edit edit) {
    if (e.options.delRemovesBlocks && e.DeleteBlock()) return;
    const std::optional<Block> kept = e.block;
    edit();
    KeepBlock(e, kept);
}

// Enter and Tab: the block gives way to them unless blocks are persistent.
template <class Edit>
void InsertKey(Editor::Impl& e, Edit edit) {
    const std::optional<Block> kept = e.block;
    if (!e.options.persistentBlocks) e.DeleteBlock();
    edit();
    if (e.options.persistentBlocks) KeepBlock(e, kept);
}

// Carries out one press of a key that is one of the editor's commands.
void Run(Editor::Impl& e, Command command, bool extend) {
    if (IsMove(command)) {
        const TextPosition anchor = BlockAnchor(e);
        Move(e, command);
        if (extend)
            e.SetBlock(anchor, e.Cursor());
        else if (!e.options.persistentBlocks)
            e.block.reset();
        return;
    }
    switch (command) {
    case Command::Enter: InsertKey(e, [&] { e.BreakLine(e.options.autoIndent); }); break;
    case Command::Delete: DeleteKey(e, [&] { e.DeleteChar(); }); break;
    case Command::Backspace: DeleteKey(e, [&] { e.Backspace(); }); break;
    case Command::DeleteWordRight: e.DeleteWordRight(); break;
    case Command::DeleteWordLeft: e.DeleteWordLeft(); break;
    case Command::Tab:
        if (e.overtype) {
            TabStop(e);
            if (!e.options.persistentBlocks) e.block.reset();
        } else {
            InsertKey(e, [&] { TypeCharacter(e, TableChar('\t'), 1, false); });
        }
        break;
    case Command::DeleteLine: e.DeleteLineByKey(); break;
    case Command::Overtype: e.overtype = !e.overtype; break;
    case Command::ScrollUp: e.ScrollWindow(-1); break;
    case Command::ScrollDown: e.ScrollWindow(1); break;
    case Command::Undo: e.Restore(e.history.Undo()); break;
    case Command::Redo: e.Restore(e.history.Redo()); break;
    case Command::SelectAll: e.SetBlock({0, 0}, {e.LastLine(), e.Length(e.LastLine())}); break;
    case Command::Copy: e.CopyBlock(); break;
    case Command::Cut:
        if (e.CopyBlock()) e.DeleteBlock();
        break;
    case Command::Paste: e.PasteClipboard(); break;
    default: break;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Navigation
// ---------------------------------------------------------------------------

bool Editor::Impl::IsWordByte(char c) const {
    return !IsBlank(c) && options.wordDelimiters.find(c) == std::string::npos;
}

int Editor::Impl::WordEndFrom(int n, int pos) const {
    const std::string_view text = Text(n);
    const int length = static_cast<int>(text.size());
    int p = pos;
    while (p < length && !IsBlank(text[p]) && !IsWordByte(text[p])) ++p;
    while (p < length && IsWordByte(text[p])) ++p;
    while (p < length && IsBlank(text[p])) ++p;
    return p;
}

int Editor::Impl::WordStartBefore(int n, int pos) const {
    const std::string_view text = Text(n);
    int p = std::min(pos, static_cast<int>(text.size()));
    while (p > 0 && IsBlank(text[p - 1])) --p;
    while (p > 0 && !IsBlank(text[p - 1]) && !IsWordByte(text[p - 1])) --p;
    while (p > 0 && IsWordByte(text[p - 1])) --p;
    return p;
}

void Editor::Impl::WordRight() {
    if (curPos < CurLength()) {
        curPos = WordEndFrom(curLine, curPos);
    } else if (curLine < LastLine()) {
        // At or beyond the end of a line: the start of the next one.
        ++curLine;
        curPos = 0;
    }
}

void Editor::Impl::WordLeft() {
    if (std::min(curPos, CurLength()) > 0) {
        curPos = WordStartBefore(curLine, curPos);
    } else if (curLine > 0) {
        // At the start of a line: the end of the one above.
        --curLine;
        curPos = CurLength();
    }
}

void Editor::Impl::ToLineKeepingColumn(int n) {
    const int column = TabPos(curLine, curPos);
    curLine = n;
    curPos = std::min(PosOfTabPos(n, column), ColumnLimit());
}

void Editor::Impl::Page(int by) {
    const int rows = std::max(1, options.windowHeight);
    const int lowest = std::max(topLine, std::max(0, lines.Count() - rows));
    topLine = std::clamp(topLine + by, 0, lowest);
    ToLineKeepingColumn(std::clamp(curLine + by, 0, LastLine()));
}

void Editor::Impl::ScrollWindow(int by) {
    const int rows = std::max(1, options.windowHeight);
    // Down only until the last line stands at the bottom of the window.
    const int lowest = std::max(topLine, std::max(0, lines.Count() - rows));
    const int top = std::clamp(topLine + by, 0, lowest);
    // The text moves under the cursor: it keeps its row on the screen.
    const int line = std::clamp(curLine + (top - topLine), 0, LastLine());
    topLine = top;
    ToLineKeepingColumn(line);
}

// ---------------------------------------------------------------------------
// Editor
// ---------------------------------------------------------------------------

void Editor::Run(Command command, bool extend, int repeat) {
    Impl& e = *impl_;
    AsOneStep(e, [&] {
        for (int i = 0; i < std::max(1, repeat); ++i) engine::Run(e, command, extend);
        return true;
    });
}

void Editor::Type(TableChar character, int repeat) {
    Impl& e = *impl_;
    AsOneStep(e, [&] {
        const std::optional<Block> kept = e.block;
        TypeCharacter(e, character, std::max(1, repeat), !e.options.persistentBlocks);
        if (e.options.persistentBlocks) KeepBlock(e, kept);
        return true;
    });
}

void Editor::KeepCursorInView() {
    AsOneStep(*impl_, [] { return true; });
}

void Editor::Scroll(int lines) {
    impl_->ScrollWindow(lines);
    impl_->CheckInvariant();
}

}  // namespace engine
