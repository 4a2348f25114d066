// The editor's own handling of a console key that no plug-in consumed, as
// the file manager's editor does it: the key's command (the key table) runs
// in the engine, or the character it carries is typed.
#pragma once

#include <optional>

#include "api/ansi_api.hpp"
#include "engine/commands.hpp"
#include "engine/editor.hpp"

namespace host {

// A key in the form the engine takes it: the console's record with its
// character as an OEM byte (AsciiChar), and the character in the editor's
// table that it types where that is not the OEM byte converted (a
// character that code page 866 lacks).
struct ConsoleKey {
    INPUT_RECORD record;
    std::optional<engine::TableChar> typed;
};

// A key on its way to a plug-in and the editor, in the forms it may have
// come in. The host makes one; each plug-in's adapter takes the form its
// interface wants.
struct KeyInput {
    // The engine's form; none when the key types a character that the
    // editor's table cannot hold (nothing is typed then).
    std::optional<ConsoleKey> key;
    // The record with its character in UnicodeChar, as a Unicode console
    // gave it; none when it came in the OEM form.
    std::optional<INPUT_RECORD> unicode;
};

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
inline void HandleKey(engine::Editor& editor, const ConsoleKey& key) {
    HandleKey(editor, key.record, key.typed);
}

// How the editor treats a key that no plug-in consumed.
enum class KeyKind {
    Edit,     // edits the text or moves: at once, also when a plug-in feeds it back
    History,  // undo or redo: fed back, it waits until the plug-in's call is over
    Command,  // a command of the editor's own (save, leave, search...): it runs after
              // the plug-in's call and outside any undo step, whoever sent it
};

// What the editor does with a key that no plug-in consumed: the engine's
// keys here, marten-edit's own commands besides them in its view.
class KeyHandler {
public:
    virtual ~KeyHandler() = default;
    virtual KeyKind KindOf(const INPUT_RECORD& record) const = 0;
    // Carries out the key; `fedBack` when a plug-in fed it back, so that
    // what it types is the plug-in's change and joins no run of typing.
    virtual void Handle(const ConsoleKey& key, bool fedBack) = 0;
};

// The engine's own keys (HandleKey) in one editor; undo and redo are
// History, every other key an Edit.
class EngineKeys : public KeyHandler {
public:
    explicit EngineKeys(engine::Editor* editor = nullptr) : editor_(editor) {}
    void SetEditor(engine::Editor* editor) { editor_ = editor; }
    KeyKind KindOf(const INPUT_RECORD& record) const override;
    void Handle(const ConsoleKey& key, bool fedBack) override;

private:
    engine::Editor* editor_;
};

}  // namespace host
