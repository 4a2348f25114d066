#include "host/key_table.hpp"

#include <array>
#include <string>

#include "common/ascii.hpp"

namespace host {
namespace {

using engine::Command;

constexpr WORD kF1 = 0x70;

constexpr std::array<NamedKey, 26> kNamedKeys{{
    {"Enter", "", VK_RETURN, false, 13}, {"Tab", "", VK_TAB, false, 9},
    {"BkSp", "BS", VK_BACK, false, 8},   {"Esc", "", VK_ESCAPE, false, 27},
    {"Del", "", VK_DELETE, true, 0},     {"Ins", "", VK_INSERT, true, 0},
    {"Home", "", VK_HOME, true, 0},      {"End", "", VK_END, true, 0},
    {"Left", "", VK_LEFT, true, 0},      {"Right", "", VK_RIGHT, true, 0},
    {"Up", "", VK_UP, true, 0},          {"Down", "", VK_DOWN, true, 0},
    {"PgUp", "", VK_PRIOR, true, 0},     {"PgDn", "", VK_NEXT, true, 0},
    {"F1", "", kF1, false, 0},           {"F2", "", kF1 + 1, false, 0},
    {"F3", "", kF1 + 2, false, 0},       {"F4", "", kF1 + 3, false, 0},
    {"F5", "", kF1 + 4, false, 0},       {"F6", "", kF1 + 5, false, 0},
    {"F7", "", kF1 + 6, false, 0},       {"F8", "", kF1 + 7, false, 0},
    {"F9", "", kF1 + 8, false, 0},       {"F10", "", kF1 + 9, false, 0},
    {"F11", "", kF1 + 10, false, 0},     {"F12", "", kF1 + 11, false, 0},
}};

constexpr std::uint8_t kMoves = kAnyShift | kAnyAlt;
constexpr std::uint8_t kAny = kAnyShift | kAnyCtrl | kAnyAlt;

constexpr KeyBinding kBindings[] = {
    // The editor's own commands.
    {"F1", EditorCommand::Help, "the editor's help, with a link into the plug-in's", kExact, true},
    {"F2", EditorCommand::Save, "save", kExact, true},
    {"Shift+F2", EditorCommand::SaveAs, "save under another name and go on with that file", kExact,
     true},
    {"F10", EditorCommand::Quit, "leave, asking about unsaved changes", kExact, true},
    {"Esc", EditorCommand::Quit, "leave, as F10", kExact, true},
    {"F7", EditorCommand::Search, "search for a text", kExact, true},
    {"Shift+F7", EditorCommand::SearchNext, "the next match of the last search or replace", kExact,
     true},
    {"Alt+F7", EditorCommand::SearchOtherWay, "the next match the other way", kExact, true},
    {"Ctrl+F7", EditorCommand::Replace, "replace a text, match by match", kExact, true},
    {"Alt+F8", EditorCommand::GoTo, "go to a line, or line:column", kExact, true},
    {"F8", EditorCommand::Table, "switch between the 866 and 1251 tables", kExact, true},
    {"Shift+F8", EditorCommand::ChooseTable, "pick the table from a list", kExact, true},
    {"F11", EditorCommand::Plugins, "the plug-ins' commands", kExact, true},
    {"Alt+Shift+F9", EditorCommand::PluginConfig, "the plug-ins' configuration", kExact, true},
    {"Alt+B", EditorCommand::Reflow,
     "reflow the quoted paragraph at the cursor, or those the block touches", kExact, true},
    // Moving; with Shift a move selects.
    {"Left", Command::Left, "a character left", kMoves},
    {"Right", Command::Right, "a character right", kMoves},
    {"Ctrl+Left", Command::WordLeft, "a word left", kMoves},
    {"Ctrl+Right", Command::WordRight, "a word right", kMoves},
    {"Up", Command::Up, "a line up", kMoves},
    {"Down", Command::Down, "a line down", kMoves},
    {"Home", Command::Home, "the start of the line", kMoves},
    {"End", Command::End, "the end of the line", kMoves},
    {"Ctrl+Home", Command::DocStart, "the start of the text", kMoves},
    {"Ctrl+End", Command::DocEnd, "the end of the text", kMoves},
    {"PgUp", Command::PageUp, "the text a page up, the cursor keeping its row", kAny},
    {"PgDn", Command::PageDown, "the text a page down, the cursor keeping its row", kAny},
    {"Ctrl+Up", Command::ScrollUp, "scroll the text a line up", kMoves},
    {"Ctrl+Down", Command::ScrollDown, "scroll the text a line down", kMoves},
    {"Ctrl+A", Command::SelectAll, "select all", kAnyShift, true},
    // Editing.
    {"Enter", Command::Enter, "break the line", kAnyShift},
    {"Del", Command::Delete, "delete the character at the cursor, or join the next line"},
    {"BkSp", Command::Backspace, "delete the character before the cursor, or join the line above",
     kAnyShift},
    {"Ctrl+Del", Command::DeleteWordRight, "delete the word to the right", kAnyShift, true},
    {"Ctrl+BkSp", Command::DeleteWordLeft, "delete the word to the left", kAnyShift, true},
    {"Ctrl+Y", Command::DeleteLine, "delete the line", kAnyShift, true},
    {"Tab", Command::Tab, "insert a tab; in overtype, go to the next tab stop", kAny},
    {"Ins", Command::Overtype, "overtype on or off", kExact, true},
    {"Ctrl+Z", Command::Undo, "undo", kExact, true},
    {"Alt+BkSp", Command::Undo, "undo", kAnyCtrl, true},
    {"Ctrl+Shift+Z", Command::Redo, "redo", kExact, true},
    {"Alt+Shift+BkSp", Command::Redo, "redo", kAnyCtrl, true},
    {"Ctrl+R", Command::Redo, "redo, where a terminal sends Ctrl+Shift+Z as Ctrl+Z", kAnyShift,
     true},
    // Blocks and the clipboard.
    {"Ctrl+Ins", Command::Copy, "copy", kExact, true},
    {"Ctrl+C", Command::Copy, "copy", kAnyShift, true},
    {"Shift+Del", Command::Cut, "cut", kExact, true},
    {"Ctrl+X", Command::Cut, "cut", kAnyShift, true},
    {"Shift+Ins", Command::Paste, "paste", kExact, true},
    {"Ctrl+V", Command::Paste, "paste", kAnyShift, true},
};

constexpr DWORD kCtrl = LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED;
constexpr DWORD kAlt = LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;

// The modifiers as one bit each (left and right alike).
std::uint8_t Held(DWORD state) {
    return static_cast<std::uint8_t>(((state & SHIFT_PRESSED) ? kAnyShift : 0) |
                                     ((state & kCtrl) ? kAnyCtrl : 0) |
                                     ((state & kAlt) ? kAnyAlt : 0));
}

// A binding's key and the modifiers its name holds, read from its name.
struct Parsed {
    WORD virtualKey = 0;
    std::uint8_t held = 0;
};

// A named key by name or alias, without regard to case; null for none.
constexpr const NamedKey* FindNamed(std::string_view name) {
    for (const NamedKey& key : kNamedKeys) {
        if (ascii::EqualNoCase(name, key.name) ||
            (!key.alias.empty() && ascii::EqualNoCase(name, key.alias)))
            return &key;
    }
    return nullptr;
}

constexpr Parsed Parse(std::string_view keys) {
    Parsed parsed;
    constexpr std::pair<std::string_view, std::uint8_t> kPrefixes[] = {
        {"Shift+", kAnyShift}, {"Ctrl+", kAnyCtrl}, {"Alt+", kAnyAlt}};
    for (bool more = true; more;) {
        more = false;
        for (const auto& [prefix, bit] : kPrefixes) {
            if (keys.size() > prefix.size() && keys.starts_with(prefix)) {
                parsed.held |= bit;
                keys.remove_prefix(prefix.size());
                more = true;
            }
        }
    }
    if (const NamedKey* key = FindNamed(keys))
        parsed.virtualKey = key->virtualKey;
    else if (keys.size() == 1)
        parsed.virtualKey = static_cast<WORD>(ascii::ToUpper(static_cast<unsigned char>(keys[0])));
    return parsed;
}

// The binding of each virtual key (all of them lie below 256) under each
// combination of Shift, Ctrl and Alt: the first row of the table that takes
// it, -1 for none. Made once from the rows, so that a key costs one look.
using Lookup = std::array<std::array<std::int8_t, 8>, 256>;

constexpr Lookup MakeLookup() {
    Lookup made{};
    for (auto& key : made) key.fill(-1);
    for (std::size_t i = std::size(kBindings); i-- > 0;) {
        const Parsed parsed = Parse(kBindings[i].keys);
        const std::uint8_t fixed = static_cast<std::uint8_t>(~kBindings[i].leeway) & kAny;
        for (std::uint8_t held = 0; held < 8; ++held) {
            if ((held & fixed) == (parsed.held & fixed))
                made[parsed.virtualKey & 0xFF][held] = static_cast<std::int8_t>(i);
        }
    }
    return made;
}

constexpr Lookup kLookup = MakeLookup();

}  // namespace

std::span<const NamedKey> NamedKeys() { return kNamedKeys; }

const NamedKey* NamedKeyByName(std::string_view name) { return FindNamed(name); }

const NamedKey* NamedKeyOf(WORD virtualKey) {
    for (const NamedKey& key : kNamedKeys) {
        if (key.virtualKey == virtualKey) return &key;
    }
    return nullptr;
}

std::span<const KeyBinding> KeyBindings() { return kBindings; }

const KeyAction* ActionOf(WORD virtualKey, DWORD controlState, unsigned char character) {
    if (virtualKey == 0) {
        // The key that carries the character, as it carries it alone.
        const NamedKey* named = nullptr;
        for (const NamedKey& key : kNamedKeys) {
            if (character != 0 && key.character == character) named = &key;
        }
        if (named == nullptr) return nullptr;
        virtualKey = named->virtualKey;
        controlState = 0;
    }
    if (virtualKey > 0xFF) return nullptr;
    const std::int8_t row = kLookup[virtualKey][Held(controlState)];
    if (row < 0) return nullptr;
    return &kBindings[row].action;
}

}  // namespace host
