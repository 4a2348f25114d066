// Event sequences through the loaded module and the host's editor: a document,
// settings, a table (OEM, or ANSI whose conversions to OEM lose characters),
// a cursor and a run of key records, all drawn from the input. After every
// event the editor's invariants must hold; in a document without quote
// marks or a block, a character typed at the end of a line must reach the document with
// every other non-blank byte kept, in order, whatever the wrap did, and
// Enter must keep every non-blank byte where it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/editor.hpp"
#include "host/host.hpp"
#include "host/scripted_ui.hpp"

namespace {

// Reads the fuzzer's bytes front to back; past the end every read is 0.
struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
    std::uint8_t Byte() { return pos < size ? data[pos++] : 0; }
    bool Done() const { return pos >= size; }
};

// The dialog's items, as the module lays them out.
enum DialogItem { kFirstCheckbox = 1, kLIndentField = 6, kRIndentField = 8, kMaskField = 10, kOk = 14 };

host::Host* TheHost = nullptr;  // loaded once: an instrumented module must stay mapped
int Flags[4] = {1, 1, 1, 1};    // the switches as the module holds them now

// Settings for this input, set the way a user sets them: through the dialog.
void ApplySettings(Input& in) {
    const std::uint8_t flags = in.Byte();
    host::DialogAnswer answer;
    for (int i = 0; i < 4; ++i) {
        const int on = (flags >> i) & 1;
        if (on != Flags[i]) answer.steps.push_back(host::DialogAnswer::Toggle{kFirstCheckbox + i});
        Flags[i] = on;
    }
    // Margins around the interesting range, now and then far outside it.
    const std::uint8_t r = in.Byte(), l = in.Byte();
    const int rindent = (r & 0x80) ? int(r) - 200 : r % 90;
    const long long lindent = (l & 0x80) ? 2000000000LL : l % 100 - 10;
    answer.steps.push_back(host::DialogAnswer::Type{kRIndentField, std::to_string(rindent)});
    answer.steps.push_back(host::DialogAnswer::Type{kLIndentField, std::to_string(lindent)});
    answer.steps.push_back(host::DialogAnswer::Type{kMaskField, "*.msg"});
    answer.closeWith = kOk;

    host::ScriptedUi ui;
    ui.ChooseMenu(0);
    ui.AnswerDialog(answer);
    ui.LeaveMenu();
    TheHost->SetUi(&ui);
    if (TheHost->Configure(0) != 1 || !ui.scriptErrors.empty()) std::abort();
    TheHost->SetUi(nullptr);
}

// A small document of words, blanks, tabs, quote marks and Cyrillic bytes.
std::string MakeDocument(Input& in) {
    // In the ANSI table the last pieces are « » — … € ™ and a '»' where a
    // prefix could stand: all of them lost or read as '>' in code page 866.
    static const char* pieces[] = {" AB> ", "word ", "x", "  ", "\t", ">", "\r\n", "\n",
                                   "\x8D\xE0\x90", "longerword", "MK>> ", "a->b ",
                                   "\xAB\xBB", " \x97 ", "\x85\x88\x99", " \xC0\xC1\xBB "};
    std::string doc;
    const int count = in.Byte() % 40;
    for (int i = 0; i < count; ++i) doc += pieces[in.Byte() % (sizeof pieces / sizeof *pieces)];
    return doc;
}

INPUT_RECORD MakeRecord(Input& in) {
    static const WORD keys[] = {0, 0, 0, 0, VK_RETURN, VK_DELETE, VK_BACK, VK_TAB,
                                VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END};
    static const DWORD states[] = {0, SHIFT_PRESSED, LEFT_CTRL_PRESSED, RIGHT_ALT_PRESSED,
                                   LEFT_ALT_PRESSED, RIGHT_CTRL_PRESSED, CAPSLOCK_ON};
    INPUT_RECORD rec{};
    const std::uint8_t kind = in.Byte();
    rec.EventType = (kind & 0xF0) == 0xF0 ? MOUSE_EVENT : KEY_EVENT;
    auto& key = rec.Event.KeyEvent;
    key.bKeyDown = (kind & 0x0F) != 0x0F;
    key.wRepeatCount = 1;
    key.wVirtualKeyCode = keys[in.Byte() % (sizeof keys / sizeof *keys)];
    key.dwControlKeyState = states[in.Byte() % (sizeof states / sizeof *states)];
    std::uint8_t ch = in.Byte();
    switch (key.wVirtualKeyCode) {
    case VK_RETURN: ch = 13; break;
    case VK_BACK: ch = 8; break;
    case VK_TAB: ch = 9; break;
    case 0: if (ch < 0x20) ch = 'a' + ch % 26; break;
    default: ch = 0;
    }
    key.uChar.AsciiChar = static_cast<char>(ch);
    return rec;
}

std::string NonBlank(const engine::Editor& editor) {
    std::string out;
    for (int n = 0; n < editor.LineCount(); ++n)
        for (char c : editor.LineAt(n).text)
            if (c != ' ' && c != '\t') out += c;
    return out;
}

bool HasMark(const engine::Editor& editor) {
    for (int n = 0; n < editor.LineCount(); ++n)
        if (editor.LineAt(n).text.find('>') != std::string::npos) return true;
    return false;
}

void CheckInvariants(const engine::Editor& editor) {
    if (editor.LineCount() < 1) std::abort();
    if (editor.CurLine() < 0 || editor.CurLine() >= editor.LineCount()) std::abort();
    if (editor.CurPos() < 0) std::abort();
    for (int n = 0; n + 1 < editor.LineCount(); ++n)
        if (editor.LineAt(n).eol.empty()) std::abort();  // only the last line may lack one
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("MARTEN_REGISTRY", "/dev/shm/marten-event-fuzz.reg", 1);
    std::remove("/dev/shm/marten-event-fuzz.reg");
    TheHost = new host::Host;
    std::string error;
    if (!TheHost->LoadModule(MARTEN_MODULE_PATH, &error)) {
        std::fprintf(stderr, "event_fuzz: %s\n", error.c_str());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, size};
    ApplySettings(in);
    host::Host& host = *TheHost;
    const bool ansi = in.Byte() & 1;
    engine::Editor editor("reply.msg", MakeDocument(in),
                        ansi ? engine::CodePage::Ansi1251 : engine::CodePage::Oem866);
    host.SetEditor(&editor);
    editor.SetCursor(in.Byte() % editor.LineCount(), in.Byte() % 90);

    for (int events = 0; events < 64 && !in.Done(); ++events) {
        const INPUT_RECORD rec = MakeRecord(in);
        const auto& key = rec.Event.KeyEvent;
        const int line = editor.CurLine();
        const unsigned char ch = static_cast<unsigned char>(key.uChar.AsciiChar);
        // The byte the editor inserts for the console's OEM character.
        const char typed = static_cast<char>(engine::OemToTable(editor.Table(), ch));
        // A typed character replaces a block; Enter drops it.
        const bool keyDown = rec.EventType == KEY_EVENT && key.bKeyDown && !HasMark(editor) &&
                             !editor.Selection();
        const bool typedAtEnd = keyDown && key.wVirtualKeyCode == 0 && key.dwControlKeyState == 0 &&
                                ch >= 0x20 && ch != ' ' && ch != 0x8D && ch != 0xE0 &&
                                ch != 0x90 && ch != '>' && typed != ' ' &&
                                editor.CurPos() == int(editor.LineAt(line).text.size());
        const bool enter = keyDown && key.wVirtualKeyCode == VK_RETURN &&
                           (key.dwControlKeyState & ~DWORD{CAPSLOCK_ON}) == 0;
        std::string expected;
        if (typedAtEnd) {
            std::string before;
            for (int n = 0; n <= line; ++n)
                for (char c : editor.LineAt(n).text)
                    if (c != ' ' && c != '\t') before += c;
            expected = before + typed + NonBlank(editor).substr(before.size());
        } else if (enter) {
            expected = NonBlank(editor);
        }
        host.Dispatch(rec);
        CheckInvariants(editor);
        if ((typedAtEnd || enter) && NonBlank(editor) != expected) std::abort();
    }
    host.SetEditor(nullptr);
    return 0;
}
