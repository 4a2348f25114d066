#include "edit/view/editor_keys.hpp"

#include <string>
#include <vector>

namespace edit {
namespace {

constexpr EditorKey kKeys[] = {
    {"F1", Command::Help, "the editor's help, with a link into the plug-in's"},
    {"F2", Command::Save, "save"},
    {"Shift+F2", Command::SaveAs, "save under another name and go on with that file"},
    {"F10", Command::Quit, "leave, asking about unsaved changes"},
    {"Esc", Command::Quit, "leave, as F10"},
    {"F7", Command::Search, "search for a text"},
    {"Shift+F7", Command::SearchNext, "the next match of the last search or replace"},
    {"Alt+F7", Command::SearchOtherWay, "the next match the other way"},
    {"Ctrl+F7", Command::Replace, "replace a text, match by match"},
    {"Alt+F8", Command::GoTo, "go to a line, or line:column"},
    {"F8", Command::Table, "switch between the 866 and 1251 tables"},
    {"Shift+F8", Command::ChooseTable, "pick the table from a list"},
    {"F11", Command::Plugins, "the plug-ins' commands"},
    {"Alt+Shift+F9", Command::PluginConfig, "the plug-ins' configuration"},
    {"Ctrl+Z", Command::Edit, "undo"},
    {"Alt+BkSp", Command::Edit, "undo"},
    {"Ctrl+R", Command::Edit, "redo"},
    {"Ctrl+Shift+Z", Command::Edit, "redo"},
    {"Alt+Shift+BkSp", Command::Edit, "redo"},
    {"Ctrl+Y", Command::Edit, "delete the line"},
    {"Ctrl+Del", Command::Edit, "delete the word to the right"},
    {"Ctrl+BkSp", Command::Edit, "delete the word to the left"},
    {"Ins", Command::Edit, "overtype on or off"},
    {"Ctrl+A", Command::Edit, "select all"},
    {"Ctrl+Ins", Command::Edit, "copy"},
    {"Ctrl+C", Command::Edit, "copy"},
    {"Shift+Del", Command::Edit, "cut"},
    {"Ctrl+X", Command::Edit, "cut"},
    {"Shift+Ins", Command::Edit, "paste"},
    {"Ctrl+V", Command::Edit, "paste"},
};

constexpr DWORD kModifiers = SHIFT_PRESSED | LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED;

// Left and right count alike for the editor's own keys.
DWORD Modifiers(DWORD state) {
    DWORD m = state & (SHIFT_PRESSED | LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED | LEFT_ALT_PRESSED |
                       RIGHT_ALT_PRESSED);
    if (m & RIGHT_CTRL_PRESSED) m = (m & ~RIGHT_CTRL_PRESSED) | LEFT_CTRL_PRESSED;
    if (m & RIGHT_ALT_PRESSED) m = (m & ~RIGHT_ALT_PRESSED) | LEFT_ALT_PRESSED;
    return m & kModifiers;
}

struct Binding {
    host::KeyStroke stroke;
    Command command;
};

// The editor's own keys as strokes, read from the names of the table.
std::vector<Binding> Bindings() {
    std::vector<Binding> bindings;
    for (const EditorKey& key : kKeys) {
        if (key.command == Command::Edit) continue;
        std::string error;
        auto strokes = host::ParseKeyScript("{" + std::string(key.key) + "}", &error);
        if (strokes && strokes->size() == 1) bindings.push_back({strokes->front(), key.command});
    }
    return bindings;
}

}  // namespace

std::span<const EditorKey> EditorKeys() { return kKeys; }

Command CommandOf(const host::KeyStroke& key) {
    static const std::vector<Binding> bindings = Bindings();
    const DWORD m = Modifiers(key.controlState);
    for (const Binding& b : bindings) {
        if (b.stroke.virtualKey == key.virtualKey && Modifiers(b.stroke.controlState) == m)
            return b.command;
    }
    return Command::None;
}

}  // namespace edit
