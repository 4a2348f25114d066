// The editor's own handling of input records, as the file manager's editor
// handles the keys that no plug-in consumed (the list is in editor.hpp).
#include <algorithm>
#include <optional>

#include "engine/editor.hpp"
#include "engine/editor_impl.hpp"

namespace engine {
namespace {

constexpr DWORD kCtrl = LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED;
constexpr DWORD kAlt = LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;
constexpr DWORD kAltGr = RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED;

enum class Command {
    None,  // the record types a character, or does nothing
    Enter,
    Delete,
    DeleteWordRight,
    Backspace,
    DeleteWordLeft,
    Tab,
    DeleteLine,
    Overtype,
    // Moves: with Shift they extend the block, without it they drop it.
    Left,
    Right,
    WordLeft,
    WordRight,
    Up,
    Down,
    Home,
    End,
    DocStart,
    DocEnd,
    PageUp,
    PageDown,
    ScrollUp,
    ScrollDown,
    Undo,
    Redo,
    SelectAll,
    Copy,
    Cut,
    Paste,
};

bool IsMove(Command command) { return command >= Command::Left && command <= Command::PageDown; }

// The editor's command for a key. A bare control character (virtual key 0,
// as ECTL_PROCESSINPUT gets it from a plug-in) is the key that types it.
Command CommandOf(const KEY_EVENT_RECORD& key) {
    const DWORD state = key.dwControlKeyState;
    const bool ctrl = (state & kCtrl) != 0;
    const bool alt = (state & kAlt) != 0;
    const bool shift = (state & SHIFT_PRESSED) != 0;
    switch (key.wVirtualKeyCode) {
    case VK_RETURN: return ctrl || alt ? Command::None : Command::Enter;
    case VK_DELETE:
        if (alt) return Command::None;  // Alt+Del is no key of the editor's
        if (shift && !ctrl) return Command::Cut;
        return ctrl ? Command::DeleteWordRight : Command::Delete;
    case VK_BACK:
        if (alt) return shift ? Command::Redo : Command::Undo;
        return ctrl ? Command::DeleteWordLeft : Command::Backspace;
    case VK_TAB: return Command::Tab;
    case VK_LEFT: return ctrl ? Command::WordLeft : Command::Left;
    case VK_RIGHT: return ctrl ? Command::WordRight : Command::Right;
    case VK_UP: return ctrl ? Command::ScrollUp : Command::Up;
    case VK_DOWN: return ctrl ? Command::ScrollDown : Command::Down;
    case VK_HOME: return ctrl ? Command::DocStart : Command::Home;
    case VK_END: return ctrl ? Command::DocEnd : Command::End;
    case VK_PRIOR: return Command::PageUp;
    case VK_NEXT: return Command::PageDown;
    case VK_INSERT:
        if (alt) return Command::None;
        if (ctrl) return shift ? Command::None : Command::Copy;
        return shift ? Command::Paste : Command::Overtype;
    case 0:
        switch (key.uChar.AsciiChar) {
        case '\r': return Command::Enter;
        case '\b': return Command::Backspace;
        case '\t': return Command::Tab;
        default: return Command::None;
        }
    default: break;
    }
    // Ctrl with a letter key (not AltGr, which types).
    if (!ctrl || alt) return Command::None;
    switch (key.wVirtualKeyCode) {
    case 'Z': return shift ? Command::Redo : Command::Undo;
    case 'R': return Command::Redo;  // a redo key that every terminal can send
    case 'Y': return Command::DeleteLine;
    case 'A': return Command::SelectAll;
    case 'C': return Command::Copy;
    case 'X': return Command::Cut;
    case 'V': return Command::Paste;
    default: return Command::None;
    }
}

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
// block is replaced by it when `replaceBlock`.
void TypeCharacter(Editor::Impl& e, TableChar c, int count, bool replaceBlock) {
    const bool replacing = replaceBlock && e.DeleteBlock();
    const bool overtype = e.overtype;
    e.overtype =
        overtype && !replacing;  // the character takes the block's place, not the next one's
    e.typing = true;
    struct Restore {
        Editor::Impl& e;
        bool overtype;
        ~Restore() {
            e.typing = false;
            e.overtype = overtype;
        }
    } restore{e, overtype};
    e.TypeChar(c, count);  // one change, however large the repeat count
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
    const int size = e.options.tabSize;
    const long long next = (1LL * e.TabPos(e.curLine, e.curPos) / size + 1) * size;
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
void Run(Editor::Impl& e, Command command, bool shift) {
    if (IsMove(command)) {
        const TextPosition anchor = BlockAnchor(e);
        Move(e, command);
        if (shift)
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

// The character a record types in the editor's table, or nothing for a
// control character or a key pressed with Ctrl or Alt. `typed` stands in
// for the record's OEM character converted (see Editor::ProcessInput).
std::optional<TableChar> TypedChar(const Editor::Impl& e, const KEY_EVENT_RECORD& key,
                                   std::optional<TableChar> typed) {
    const auto ch = static_cast<unsigned char>(key.uChar.AsciiChar);
    if (CommandModifiers(key.dwControlKeyState)) return std::nullopt;
    if (typed && (ch >= 0x20 || ch == 0)) return typed;
    if (ch < 0x20) return std::nullopt;
    // The console delivers OEM characters; the text is in the editor's table.
    return TableChar(OemToTable(e.table, ch));
}

}  // namespace

bool IsEditingKey(const KEY_EVENT_RECORD& key) { return CommandOf(key) != Command::None; }

bool CommandModifiers(DWORD state) {
    const DWORD held = state & (kCtrl | kAlt);
    return held != 0 && held != kAltGr;
}

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

void Editor::ProcessInput(const INPUT_RECORD& record, std::optional<TableChar> typed) {
    if (record.EventType != KEY_EVENT) return;
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (!key.bKeyDown) return;
    Impl& e = *impl_;
    AsOneStep(e, [&] {
        const int repeat = std::max<int>(1, key.wRepeatCount);
        if (const Command command = CommandOf(key); command != Command::None) {
            const bool shift = (key.dwControlKeyState & SHIFT_PRESSED) != 0;
            for (int i = 0; i < repeat; ++i) Run(e, command, shift);
        } else if (const auto character = TypedChar(e, key, typed)) {
            const std::optional<Block> kept = e.block;
            TypeCharacter(e, *character, repeat, !e.options.persistentBlocks);
            if (e.options.persistentBlocks) KeepBlock(e, kept);
        }
        return true;
    });
}

void Editor::Scroll(int lines) {
    impl_->ScrollWindow(lines);
    impl_->CheckInvariant();
}

}  // namespace engine
