// The editor's keys in one table: the keyboard's named keys (the names key
// scripts and the help use, each key's virtual key, its ENHANCED_KEY flag
// and the character it carries), and what each key does in the editor: one
// of the engine's commands, or one of the editor's own, which a UI carries
// out (marten-edit's F2, Esc, F7...). The key scripts' names, the
// terminal's keys, the engine's commands and marten-edit's commands are
// read from it; the help, the manual page, the README and --help are
// checked against it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "api/ansi_api.hpp"
#include "engine/commands.hpp"

namespace host {

// A key of the keyboard that has a name.
struct NamedKey {
    std::string_view name;   // as every text shows it: "BkSp"
    std::string_view alias;  // another spelling that key scripts read ("BS"), or empty
    WORD virtualKey;
    bool enhanced;            // the console sets ENHANCED_KEY: a key of the grey block
    unsigned char character;  // the OEM character it carries alone (13 for Enter), 0 for none
};

// Enter, Tab, BkSp, Esc, the grey block, F1..F12, in that order.
std::span<const NamedKey> NamedKeys();
// A named key by its name or alias, compared without regard to case.
const NamedKey* NamedKeyByName(std::string_view name);
const NamedKey* NamedKeyOf(WORD virtualKey);

// The editor's own commands besides the engine's: what a user interface
// does on the file and around the text.
enum class EditorCommand {
    Help,
    Save,
    SaveAs,
    Quit,
    Search,
    SearchNext,
    SearchOtherWay,
    Replace,
    GoTo,
    Table,
    ChooseTable,
    Plugins,
    PluginConfig,
    Reflow,  // the plug-in's macro call "Reflow"
};

using KeyAction = std::variant<engine::Command, EditorCommand>;

// Modifiers a binding takes whether they are held or not; those its name
// holds must be held, the others must not.
enum KeyLeeway : std::uint8_t {
    kExact = 0,
    kAnyShift = 1,  // with a move, Shift extends the block
    kAnyCtrl = 2,
    kAnyAlt = 4,
};

// One key and what it does. Left and right Ctrl and Alt count alike; the
// lock keys do not count.
struct KeyBinding {
    std::string_view keys;  // as the texts show it and key scripts name it: "Ctrl+Shift+Z"
    KeyAction action;
    std::string_view help;  // what it does
    std::uint8_t leeway = kExact;
    // Listed in the short lists of keys too (--help, the manual page, the
    // README), not only in the editor's help.
    bool summary = false;
};

std::span<const KeyBinding> KeyBindings();

// What a key does (the table's own action); null for a key that types a
// character or does nothing. A bare control character (virtual key 0, as a
// plug-in feeds one back) is the named key that carries it.
const KeyAction* ActionOf(WORD virtualKey, DWORD controlState, unsigned char character);

}  // namespace host
