// The editor's own handling of a console key that no plug-in consumed, as
// the file manager's editor does it: the key's command (the key table) runs
// in the engine, or the character it carries is typed.
#pragma once

#include <optional>

#include "api/ansi_api.hpp"
#include "engine/commands.hpp"
#include "engine/editor.hpp"

namespace host {

// The engine's command for a key, none for a key that types a character or
// does nothing. A bare control character (virtual key 0, as a plug-in feeds
// one back) is the key that types it.
std::optional<engine::Command> EngineCommandOf(const KEY_EVENT_RECORD& key);

// True when the engine acts on `key` itself (an editing key, a move, undo,
// the clipboard).
inline bool IsEditingKey(const KEY_EVENT_RECORD& key) { return EngineCommandOf(key).has_value(); }

// Ctrl or Alt held as a modifier, so that a key types nothing; AltGr (right
// Alt with left Ctrl) types characters and does not count.
bool CommandModifiers(DWORD controlKeyState);

// Carries out a key-down record in `editor`: its command, or the character
// it types. `typed`, when given, is the character in the editor's table
// that a typed key inserts, in place of the record's OEM character
// converted: the UI passes it for characters that code page 866 lacks
// (« » — € in an ANSI file, anything in UTF-8), sending the plug-ins a
// stand-in. Key-up and other records change nothing.
void HandleKey(engine::Editor& editor, const INPUT_RECORD& record,
               std::optional<engine::TableChar> typed = std::nullopt);

}  // namespace host
