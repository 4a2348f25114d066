// Helpers for the tests of the editor as the host drives it: the engine with
// the host's handling of console keys and the 1.x interface's commands, key
// records as the console delivers them, and the text in short.
#pragma once

#include <string>

#include "engine/editor.hpp"
#include "engine/engine_testing.hpp"
#include "host/ansi/ansi_editor.hpp"
#include "host/key_input.hpp"

namespace host {

// The engine with what a console and a 1.x plug-in send it: keys go to
// HandleKey (a fed-back one, PROCESSINPUT, too), commands to AnsiEditor.
class TestEditor : public engine::Editor {
public:
    using engine::Editor::Editor;

    void ProcessInput(const INPUT_RECORD& record, std::optional<engine::TableChar> typed = std::nullopt) {
        HandleKey(*this, record, typed);
    }
    int Control(int command, void* param) { return ansi_.Control(command, param); }
    const std::vector<ControlCall>& Log() const { return ansi_.Log(); }
    void ClearLog() { ansi_.ClearLog(); }
    int RedrawCount() const { return ansi_.RedrawCount(); }

private:
    AnsiEditor ansi_{*this};
};

}  // namespace host

namespace host::editor_testing {

using namespace engine;

using engine::test_helpers::Texts;
// The tests of the editor as the host drives it name it so.
using Editor = TestEditor;

// A key-down record.
inline INPUT_RECORD Key(WORD vk, char ch = 0, DWORD state = 0, WORD repeat = 1) {
    INPUT_RECORD r{};
    r.EventType = KEY_EVENT;
    r.Event.KeyEvent.bKeyDown = 1;
    r.Event.KeyEvent.wRepeatCount = repeat;
    r.Event.KeyEvent.wVirtualKeyCode = vk;
    r.Event.KeyEvent.uChar.AsciiChar = ch;
    r.Event.KeyEvent.dwControlKeyState = state;
    return r;
}

// Ctrl with a letter key, as a terminal delivers it (the control character).
inline INPUT_RECORD CtrlKey(char letter, DWORD more = 0) {
    return Key(static_cast<WORD>(letter), static_cast<char>(letter - 'A' + 1), LEFT_CTRL_PRESSED | more);
}

// Types `text` (OEM bytes), one record a character.
inline void Type(TestEditor& e, const std::string& text) {
    for (const char c : text) e.ProcessInput(Key(0, c));
}

inline EditorInfo Info(TestEditor& e) {
    EditorInfo info{};
    e.Control(ECTL_GETINFO, &info);
    return info;
}

inline EditorGetString Get(TestEditor& e, int n) {
    EditorGetString get{};
    get.StringNumber = n;
    e.Control(ECTL_GETSTRING, &get);
    return get;
}

inline int Set(TestEditor& e, int n, std::string text, const char* eol = nullptr) {
    EditorSetString set{n, text.data(), const_cast<char*>(eol), static_cast<int>(text.size())};
    return e.Control(ECTL_SETSTRING, &set);
}

}  // namespace host::editor_testing
