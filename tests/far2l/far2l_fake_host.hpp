// A recording stand-in for far2l, for the tests of the module's far2l face:
// an editor of UTF-32 lines whose undo honours ECTL_UNDOREDO brackets, file
// names handed out as far2l hands them (the size first, then the whole name
// into the buffer given), ProcessName for masks and GetMsg. Keys reach the
// module as far2l sends them (Enter, Backspace and Ctrl+letter with the
// character 0); a key the module does not consume, or feeds back, is carried
// out by the editor.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "api/far2l_api.hpp"

namespace far2ltest {

struct EditorCall {
    int command;
    int param = -2;  // the line of GET/SETSTRING, the EUR_ command; else -2
    bool operator==(const EditorCall&) const = default;
};

class Far2lFakeHost {
public:
    Far2lFakeHost();
    ~Far2lFakeHost();
    Far2lFakeHost(const Far2lFakeHost&) = delete;
    Far2lFakeHost& operator=(const Far2lFakeHost&) = delete;

    // The editor: lines without their ends, and the end of each (the last
    // one usually has none).
    std::vector<std::wstring> lines{L""};
    std::vector<std::wstring> ends{L""};
    int curLine = 0;
    int curPos = 0;
    bool autoIndent = false;
    std::wstring fileName = L"/home/user/fido/reply.msg";

    std::vector<EditorCall> calls;                 // what the module asked of the editor
    std::vector<far2l_api::INPUT_RECORD> fedKeys;  // ECTL_PROCESSINPUT's records
    std::vector<std::pair<std::wstring, std::wstring>> comparisons;  // ProcessName: mask, name
    int bracketDepth = 0;
    bool endGivenToSetString = false;   // a SETSTRING named an end-of-line of its own
    std::vector<int> msgPluginNumbers;  // the PluginNumber of each GetMsg

    // The configuration's windows: each menu and message shown, and the
    // last dialog's items as the user leaves them.
    struct ShownMenu {
        std::wstring title;
        std::vector<std::wstring> lines;  // "-" for a separator
        int selected;
    };
    struct ShownMessage {
        DWORD flags;
        std::vector<std::wstring> lines;
        int buttons;
    };
    struct DialogItem {
        int type;
        std::wstring text;
        int selected, focus, defaultButton;
    };
    std::vector<int> menuAnswers;  // the lines the user picks in turn; then Esc
    std::vector<ShownMenu> menus;
    std::vector<ShownMessage> messages;
    std::vector<DialogItem> dialog;
    // What the user does in the dialog: a field's new text, or a checkbox
    // ticked ("x") or cleared (""), by item index; then the button pressed.
    std::vector<std::pair<int, std::wstring>> dialogEdits;
    int dialogAnswer = -1;
    int dialogsFreed = 0;

    // Text with lines split at '\n' (each but the last ending in "\n"); the
    // cursor at `line`, `pos`.
    void Put(const std::wstring& text, int line, int pos);
    // The lines joined with '\n'.
    std::wstring Text() const;
    std::vector<int> Commands() const;

    // A key as far2l gives it: offered to the module, carried out by the
    // editor unless consumed. Returns the module's answer.
    int Press(const far2l_api::INPUT_RECORD& key);
    // The user's Ctrl+Z: takes back one undo step; false when none is left.
    bool Undo();

    far2l_api::PluginStartupInfo startupInfo{};
    far2l_api::FarStandardFunctions standardFunctions{};

    int Control(int command, void* param);
    int MatchName(const wchar_t* mask, const wchar_t* name, DWORD flags);

private:
    struct Snapshot {
        std::vector<std::wstring> lines, ends;
        int curLine, curPos;
    };
    void Remember();  // a step of its own, unless a bracket is open
    void BreakAtCursor(bool indent);
    void CarryOut(const far2l_api::KEY_EVENT_RECORD& key);
    std::vector<Snapshot> steps_;
    std::wstring handedOut_;  // the text of the last GETSTRING, unterminated
};

// A key-down record as far2l sends it.
far2l_api::INPUT_RECORD KeyDown(wchar_t ch, WORD vk = 0, DWORD state = 0);

}  // namespace far2ltest
