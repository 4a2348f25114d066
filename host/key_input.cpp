#include "host/key_input.hpp"

#include <algorithm>

namespace host {
namespace {

using engine::CodePage;
using engine::Command;
using engine::TableChar;

constexpr DWORD kCtrl = LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED;
constexpr DWORD kAlt = LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;
constexpr DWORD kAltGr = RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED;

// The editor's command for a key. A bare control character (virtual key 0,
// as ECTL_PROCESSINPUT gets it from a plug-in) is the key that types it.
std::optional<Command> CommandOf(const KEY_EVENT_RECORD& key) {
    const DWORD state = key.dwControlKeyState;
    const bool ctrl = (state & kCtrl) != 0;
    const bool alt = (state & kAlt) != 0;
    const bool shift = (state & SHIFT_PRESSED) != 0;
    switch (key.wVirtualKeyCode) {
    case VK_RETURN:
        if (ctrl || alt) return std::nullopt;
        return Command::Enter;
    case VK_DELETE:
        if (alt) return std::nullopt;  // Alt+Del is no key of the editor's
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
        if (alt) return std::nullopt;
        if (ctrl) return shift ? std::nullopt : std::optional(Command::Copy);
        return shift ? Command::Paste : Command::Overtype;
    case 0:
        switch (key.uChar.AsciiChar) {
        case '\r': return Command::Enter;
        case '\b': return Command::Backspace;
        case '\t': return Command::Tab;
        default: return std::nullopt;
        }
    default: break;
    }
    // Ctrl with a letter key (not AltGr, which types).
    if (!ctrl || alt) return std::nullopt;
    switch (key.wVirtualKeyCode) {
    case 'Z': return shift ? Command::Redo : Command::Undo;
    case 'R': return Command::Redo;  // a redo key that every terminal can send
    case 'Y': return Command::DeleteLine;
    case 'A': return Command::SelectAll;
    case 'C': return Command::Copy;
    case 'X': return Command::Cut;
    case 'V': return Command::Paste;
    default: return std::nullopt;
    }
}

// The character a record types in the editor's table, or nothing for a
// control character or a key pressed with Ctrl or Alt. `typed` stands in
// for the record's OEM character converted (see HandleKey).
std::optional<TableChar> TypedChar(CodePage table, const KEY_EVENT_RECORD& key,
                                   std::optional<TableChar> typed) {
    const auto ch = static_cast<unsigned char>(key.uChar.AsciiChar);
    if (CommandModifiers(key.dwControlKeyState)) return std::nullopt;
    if (typed && (ch >= 0x20 || ch == 0)) return typed;
    if (ch < 0x20) return std::nullopt;
    // The console delivers OEM characters; the text is in the editor's table.
    return TableChar(engine::OemToTable(table, ch));
}

}  // namespace

std::optional<Command> EngineCommandOf(const KEY_EVENT_RECORD& key) { return CommandOf(key); }

bool CommandModifiers(DWORD state) {
    const DWORD held = state & (kCtrl | kAlt);
    return held != 0 && held != kAltGr;
}

void HandleKey(engine::Editor& editor, const INPUT_RECORD& record, std::optional<TableChar> typed) {
    if (record.EventType != KEY_EVENT) return;
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (!key.bKeyDown) return;
    const int repeat = std::max<int>(1, key.wRepeatCount);
    if (const std::optional<Command> command = CommandOf(key)) {
        editor.Run(*command, (key.dwControlKeyState & SHIFT_PRESSED) != 0, repeat);
    } else if (const auto character = TypedChar(editor.Table(), key, typed)) {
        editor.Type(*character, repeat);
    } else {
        editor.KeepCursorInView();
    }
}

KeyKind EngineKeys::KindOf(const INPUT_RECORD& record) const {
    if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) return KeyKind::Edit;
    const std::optional<Command> command = CommandOf(record.Event.KeyEvent);
    return command && engine::IsHistoryCommand(*command) ? KeyKind::History : KeyKind::Edit;
}

void EngineKeys::Handle(const ConsoleKey& key, bool fedBack) {
    if (editor_ == nullptr) return;
    if (!fedBack) {
        HandleKey(*editor_, key);
        return;
    }
    const engine::Editor::PluginChanges changes(*editor_);
    HandleKey(*editor_, key);
}

}  // namespace host
