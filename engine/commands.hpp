// The editor's own commands: what a key does when no plug-in consumed it,
// as the file manager's editor has them (the host's key table says which
// key runs which). Editor::Run carries one out.
#pragma once

namespace engine {

enum class Command {
    Enter,
    Delete,
    DeleteWordRight,
    Backspace,
    DeleteWordLeft,
    Tab,
    DeleteLine,
    Overtype,
    // Moves: with `extend` they extend the block, without it they drop it.
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
    // The window by a line, the cursor keeping its row.
    ScrollUp,
    ScrollDown,
    Undo,
    Redo,
    SelectAll,
    Copy,
    Cut,
    Paste,
};

constexpr bool IsMove(Command command) {
    return command >= Command::Left && command <= Command::PageDown;
}

// Undo and Redo go through the history rather than edit the text at the
// cursor; a key that a plug-in feeds back runs them once its call is over.
constexpr bool IsHistoryCommand(Command command) {
    return command == Command::Undo || command == Command::Redo;
}

}  // namespace engine
