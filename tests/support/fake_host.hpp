// One recording stand-in for every service of the host that the module
// calls, for the module's unit tests: the editor (EditorControl), the name
// comparison, the message texts, the menu, the dialog and the message box.
// Each records what it was asked; the editor serves a list of lines (each
// handed out without a terminating zero byte, as a host may) and converts
// between tables by byte maps that are the identity unless a test sets them.
//
// It knows nothing of the module's insides, so the Win32 runner uses it too,
// with the real marten.dll; module_state.hpp installs it in the module's
// HostInfo for the unit tests.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "api/ansi_api.hpp"

namespace testsupport {

// One EditorControl call: the command and, for GET/SETSTRING, the line number passed.
struct EditorCall {
    int command;
    int line = -2;  // -2: the command has no line number
    bool operator==(const EditorCall&) const = default;
};

struct NameComparison {
    std::string pattern;
    std::string name;
    int skipPath;
};

struct MenuSeen {
    int module, x, y, maxHeight;
    DWORD flags;
    std::optional<std::string> title, bottom, help;
    bool breakKeys, breakCode;
    std::vector<FarMenuItem> lines;
};

struct DialogSeen {
    int module, x1, y1, x2, y2;
    std::optional<std::string> help;
    std::vector<FarDialogItem> items;
    std::vector<std::string> histories;  // of the items with DIF_HISTORY, else ""
};

struct MessageSeen {
    int module;
    DWORD flags;
    std::optional<std::string> help;
    std::vector<std::optional<std::string>> lines;
    int buttons;
};

// What the user does in one dialog: changes the items, returns the closing item.
using DialogPlay = std::function<int(FarDialogItem* items)>;

struct FakeHost {
    FakeHost();

    // --- The editor -------------------------------------------------------
    std::vector<std::string> lines{""};
    int curLine = 0;
    int curPos = 0;
    std::string fileName = "C:\\Fido\\reply.msg";
    bool nullFileName = false;
    std::array<unsigned char, 256> toOem{};     // ECTL_EDITORTOOEM, byte by byte
    std::array<unsigned char, 256> toEditor{};  // ECTL_OEMTOEDITOR
    bool refuseConversions = false;
    // ECTL_INSERTSTRING with a non-zero flag puts the cursor at this column;
    // -1: below the leading blanks of the line broken.
    int autoIndentColumn = -1;
    int insertLimit = 1000000;  // more lines than this mean a wrap that does not end
    bool insertLimitHit = false;

    std::vector<EditorCall> calls;
    std::vector<INPUT_RECORD> fedKeys;
    std::vector<EditorSetString> stores;  // as passed; StringText valid only during the call
    std::vector<std::string> storedTexts;
    std::vector<int> insertFlags;  // the flag behind INSERTSTRING's pointer, -1 for null
    std::vector<EditorSetPosition> positions;
    std::vector<void*> redrawParams;
    std::vector<int> Commands() const;  // the commands of `calls`, in order

    // --- The name comparison ----------------------------------------------
    std::vector<NameComparison> comparisons;

    // --- The message texts (GetMsg) ---------------------------------------
    std::vector<std::string> texts;  // by id; any other id answers null
    bool nullTexts = false;          // every id answers null
    int getMsgCalls = 0;
    int lastMsgId = -1;
    int lastMsgModule = -1;

    // --- Menus, dialogs, message boxes --------------------------------------
    std::deque<int> menuAnswers;         // empty: the user leaves
    std::deque<DialogPlay> dialogPlays;  // empty: Esc
    std::vector<MenuSeen> menus;
    std::vector<DialogSeen> dialogs;
    std::vector<MessageSeen> messages;
    std::string order;  // 'M' menu, 'D' dialog, 'B' message box, as they came
    // Counts the blocks the module's heap holds, when a test can; its answer
    // at each menu, dialog and message box goes to liveBlocksDuringCalls.
    std::function<std::size_t()> liveBlocks;
    std::vector<std::size_t> liveBlocksDuringCalls;

    // Every plug-in number the module handed to GetMsg, Menu, Dialog or Message.
    std::vector<int> moduleNumbers;

    // The services themselves.
    int Control(int command, void* param);
    int CompareName(const char* pattern, const char* name, int skipPath);
    const char* Message(int module, int id);
    int Menu(int module, int x, int y, int maxHeight, DWORD flags, const char* title,
             const char* bottom, const char* help, const int* breakKeys, int* breakCode,
             const FarMenuItem* items, int count);
    int Dialog(int module, int x1, int y1, int x2, int y2, const char* help, FarDialogItem* items,
               int count);
    int MessageBox(int module, DWORD flags, const char* help, const char* const* items, int count,
                   int buttons);

private:
    void Noticed(int module);  // a menu, dialog or message box came with this number

    std::string served_;  // the line GETSTRING handed out last
};

// A start-up record as a host of this interface version passes it, with every
// service of the fake host that is served while the module calls it.
PluginStartupInfo StartupInfoOf(const char* rootKey, int moduleNumber = 42);

// Makes the services of StartupInfoOf reach `host` for as long as it lives.
class ServedHost {
public:
    explicit ServedHost(FakeHost& host);
    ~ServedHost();
    ServedHost(const ServedHost&) = delete;
    ServedHost& operator=(const ServedHost&) = delete;
};

}  // namespace testsupport
