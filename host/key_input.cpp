#include "host/key_input.hpp"

#include <algorithm>

#include "host/key_table.hpp"

namespace host {
namespace {

using engine::CodePage;
using engine::Command;
using engine::TableChar;

constexpr DWORD kCtrl = LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED;
constexpr DWORD kAlt = LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;
constexpr DWORD kAltGr = RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED;

// The engine's command for a key, as the key table has it.
std::optional<Command> CommandOf(const KEY_EVENT_RECORD& key) {
    const Command* command =
        std::get_if<Command>(ActionOf(key.wVirtualKeyCode, key.dwControlKeyState,
                                      static_cast<unsigned char>(key.uChar.AsciiChar)));
    return command != nullptr ? std::optional<Command>(*command) : std::nullopt;
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
