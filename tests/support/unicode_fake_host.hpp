// A recording stand-in for the host's Unicode interface, for the tests of
// the module's Unicode face: an editor of UTF-16 lines with an editor id and
// an undo that honours ECTL_UNDOREDO brackets, a settings store in memory,
// ProcessName for masks, and message, menu and dialog services that record
// what they were given. Keys reach the module as the real host gives them:
// a key the module does not consume, or feeds back, is carried out by the
// editor (typed characters, Enter, Delete, Backspace).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "api/unicode_api.hpp"

// Text as the interface carries it: wchar_t in the Windows builds, char16_t
// natively. The same fake serves the native tests and the Windows runner.
#ifdef _WIN32
#define UNICODE_TEXT(s) L##s
#else
#define UNICODE_TEXT(s) u##s
#endif

namespace testsupport {

using WString = std::basic_string<unicode_api::WChar>;
using WStringView = std::basic_string_view<unicode_api::WChar>;

struct UnicodeEditorCall {
    int command;
    std::intptr_t param = -2;  // the line of GET/SETSTRING, the EUR_ command, else -2
    bool operator==(const UnicodeEditorCall&) const = default;
};

using StoredValue = std::variant<std::uint64_t, WString>;

struct UnicodeFakeHost {
    UnicodeFakeHost();
    ~UnicodeFakeHost();
    UnicodeFakeHost(const UnicodeFakeHost&) = delete;
    UnicodeFakeHost& operator=(const UnicodeFakeHost&) = delete;

    // --- The editor -------------------------------------------------------
    std::vector<WString> lines{UNICODE_TEXT("")};
    std::vector<WString> eols{UNICODE_TEXT("")};  // per line; the last one usually ""
    std::intptr_t curLine = 0;
    std::intptr_t curPos = 0;
    std::intptr_t editorId = 7;
    WString fileName = UNICODE_TEXT("C:\\Fido\\reply.msg");
    bool autoIndent = false;  // the editor's option; the host's default is off
    std::vector<UnicodeEditorCall> calls;
    std::vector<INPUT_RECORD> fedKeys;
    int undoDepth = 0;
    bool wrongEditorAddressed = false;  // a call named neither -1 nor editorId

    // Sets the text (lines split at '\n', each ending in "\r\n" but the last).
    void SetText(const WString& text);
    // The text, lines joined with '\n'.
    WString Text() const;
    std::vector<int> Commands() const;

    // A key as the host gives it: offered to the module, carried out by the
    // editor unless consumed. Returns the module's answer.
    std::intptr_t Press(const INPUT_RECORD& key);
    // The user's Ctrl+Z: takes back one undo step; false when none is left.
    bool Undo();
    std::size_t UndoSteps() const { return undo_.size(); }

    // The module's key handler: the linked one natively; the runner that
    // loads the module sets the DLL's.
#ifdef _WIN32
    unicode_api::ProcessEditorInputWFn processEditorInput = nullptr;
#else
    unicode_api::ProcessEditorInputWFn processEditorInput = &ProcessEditorInputW;
#endif

    // --- Settings store ---------------------------------------------------
    std::map<WString, StoredValue> store;
    bool storeRefuses = false;  // SCTL_CREATE fails
    int openHandles = 0;

    // --- Name matching, messages, menus, dialogs --------------------------
    std::vector<std::pair<WString, WString>> nameComparisons;
    std::vector<WString> messageTitles;  // the first item of each Message
    int menusShown = 0;
    int menuAnswer = -1;
    // The dialog: the items as DialogInit got them (texts copied), the
    // closing item DialogRun answers, and what the user left in the items
    // (check states and texts by item index) when it closed.
    struct DialogItemSeen {
        unicode_api::FARDIALOGITEMTYPES type;
        std::intptr_t x1, y1, x2, y2;
        std::intptr_t selected;
        WString data, history;
        std::size_t maxLength;
        unicode_api::FARDIALOGITEMFLAGS flags;
    };
    std::vector<DialogItemSeen> dialogItems;
    std::pair<std::intptr_t, std::intptr_t> dialogSize{};  // as DialogInit's X2 and Y2
    WString dialogHelp;
    std::intptr_t dialogAnswer = -1;
    std::map<int, std::intptr_t> dialogChecks;
    std::map<int, WString> dialogTexts;
    bool dialogOpen = false;

    // The record handed to SetStartupInfoW, pointing at this host's services.
    unicode_api::PluginStartupInfo startupInfo{};
    unicode_api::FarStandardFunctions standardFunctions{};

private:
    struct Snapshot {
        std::vector<WString> lines, eols;
        std::intptr_t curLine, curPos;
    };
    void BeforeChange();
    void ActOnKey(const INPUT_RECORD& key);
    std::vector<Snapshot> undo_;

    friend struct UnicodeFakeHostServices;
};

// A key-down record with `ch` as its character and `vk` as its virtual key.
INPUT_RECORD UnicodeKeyDown(unicode_api::WChar ch, WORD vk = 0, DWORD state = 0);

}  // namespace testsupport
