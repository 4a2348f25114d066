// A plug-in of far2l's wide interface that writes every call and record it
// receives to the file $FAR2L_PROBE_LOG, one line each, and on a few typed
// characters uses the services the module relies on, logging their answers:
// so that a record laid out wrongly in the interface header shows in the
// real far2l before the module is built on it.
//
//   i  EditorInfo, the cursor's line, the file name and the name matching
//   s  one undo bracket: the cursor's line set, an Enter fed back
//   h  an 'H' fed as the module feeds a replaced letter (virtual key 0)
//   n  a line inserted with the indent flag set
//   m  a menu of two lines; the answer is logged
//
// Each of those characters is consumed; every other key goes to the editor.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "api/far2l_api.hpp"

#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

far2l_api::PluginStartupInfo g_info{};
far2l_api::FarStandardFunctions g_fsf{};
int g_depth = 0;  // nesting of ProcessEditorInputW: a fed-back key comes inside

std::string Utf8(const wchar_t* text, std::size_t length) {
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<char32_t>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Utf8(const wchar_t* text) {
    if (text == nullptr) return "(null)";
    std::size_t length = 0;
    while (text[length] != 0) ++length;
    return Utf8(text, length);
}

// Control characters written as \xNN, so that every entry stays on one line.
std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned char>(c));
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

void Log(const std::string& line) {
    const char* path = std::getenv("FAR2L_PROBE_LOG");
    if (path == nullptr) return;
    if (std::FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

int Editor(far2l_api::EDITOR_CONTROL_COMMANDS command, void* param) {
    return g_info.EditorControl(command, param);
}

void LogInfoAndLine() {
    far2l_api::EditorInfo info{};
    const int answer = Editor(far2l_api::ECTL_GETINFO, &info);
    Log("info answer=" + std::to_string(answer) + " id=" + std::to_string(info.EditorID) +
        " total=" + std::to_string(info.TotalLines) + " line=" + std::to_string(info.CurLine) +
        " pos=" + std::to_string(info.CurPos) + " options=" + Hex(info.Options) +
        " tabsize=" + std::to_string(info.TabSize) + " codepage=" + std::to_string(info.CodePage) +
        " width=" + std::to_string(info.WindowSizeX));
    far2l_api::EditorGetString line{};
    line.StringNumber = -1;
    const int got = Editor(far2l_api::ECTL_GETSTRING, &line);
    Log("line answer=" + std::to_string(got) + " length=" + std::to_string(line.StringLength) +
        " text=[" + Escaped(Utf8(line.StringText, static_cast<std::size_t>(line.StringLength))) +
        "] eol=[" + Escaped(Utf8(line.StringEOL)) + "]");

    const int size = Editor(far2l_api::ECTL_GETFILENAME, nullptr);
    std::wstring name(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    const int copied = Editor(far2l_api::ECTL_GETFILENAME, name.data());
    name.resize(name.find(L'\0'));
    Log("filename size=" + std::to_string(size) + " answer=" + std::to_string(copied) + " name=[" +
        Utf8(name.c_str()) + "]");

    const auto flags = far2l_api::PN_CMPNAME | far2l_api::PN_SKIPPATH;
    for (const wchar_t* mask : {L"*.msg", L"*.MSG", L"*.txt", L"t*"}) {
        std::wstring subject = name;
        const int matches = g_fsf.ProcessName(mask, subject.data(), 0, flags);
        const int compared = g_info.CmpName(mask, name.c_str(), 1);
        Log("processname mask=" + Utf8(mask) + " answer=" + std::to_string(matches) +
            " cmpname=" + std::to_string(compared));
    }
}

void Undo(far2l_api::EDITOR_UNDOREDO_COMMANDS command, const char* what) {
    far2l_api::EditorUndoRedo rec{};
    rec.Command = command;
    Log(std::string("undo ") + what +
        " answer=" + std::to_string(Editor(far2l_api::ECTL_UNDOREDO, &rec)));
}

// One bracket around a changed line and a fed-back Enter: one Ctrl+Z takes
// both back.
void SetLineAndFeedEnter() {
    Undo(far2l_api::EUR_BEGIN, "begin");
    far2l_api::EditorGetString line{};
    line.StringNumber = -1;
    Editor(far2l_api::ECTL_GETSTRING, &line);
    std::wstring text = L"[set]";
    text.append(line.StringText, static_cast<std::size_t>(line.StringLength));
    far2l_api::EditorSetString set{};
    set.StringNumber = -1;
    set.StringText = text.c_str();
    set.StringEOL = nullptr;
    set.StringLength = static_cast<int>(text.size());
    Log("setstring answer=" + std::to_string(Editor(far2l_api::ECTL_SETSTRING, &set)));
    far2l_api::INPUT_RECORD enter{};
    enter.EventType = KEY_EVENT;
    enter.Event.KeyEvent.bKeyDown = 1;
    enter.Event.KeyEvent.wRepeatCount = 1;
    enter.Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
    Log("processinput enter answer=" +
        std::to_string(Editor(far2l_api::ECTL_PROCESSINPUT, &enter)));
    Undo(far2l_api::EUR_END, "end");
}

void FeedLetter(wchar_t letter) {
    far2l_api::INPUT_RECORD key{};
    key.EventType = KEY_EVENT;
    key.Event.KeyEvent.bKeyDown = 1;
    key.Event.KeyEvent.wRepeatCount = 1;
    key.Event.KeyEvent.uChar.UnicodeChar = letter;
    Log("processinput letter answer=" + std::to_string(Editor(far2l_api::ECTL_PROCESSINPUT, &key)));
}

void InsertLine() {
    int indent = 1;
    Log("insertstring answer=" + std::to_string(Editor(far2l_api::ECTL_INSERTSTRING, &indent)));
}

void ShowMenu() {
    far2l_api::FarMenuItem items[2]{};
    items[0].Text = L"Probe first";
    items[1].Text = L"Probe second";
    items[0].Selected = 1;
    const int answer = g_info.Menu(g_info.ModuleNumber, -1, -1, 0, far2l_api::FMENU_WRAPMODE,
                                   L"Probe menu", nullptr, nullptr, nullptr, nullptr, items, 2);
    Log("menu answer=" + std::to_string(answer));
}

}  // namespace

PROBE_EXPORT int GetMinFarVersionW() {
    Log("getminfarversion");
    return far2l_api::kMinFarVersion;
}

PROBE_EXPORT void SetStartupInfoW(const far2l_api::PluginStartupInfo* Info) {
    g_info = *Info;
    g_fsf = *Info->FSF;
    g_info.FSF = &g_fsf;
    Log("startup size=" + std::to_string(Info->StructSize) +
        " fsfsize=" + std::to_string(Info->FSF->StructSize) + " module=[" + Utf8(Info->ModuleName) +
        "] rootkey=[" + Utf8(Info->RootKey) + "] services=" +
        std::to_string(Info->EditorControl != nullptr && Info->GetMsg != nullptr &&
                       Info->Menu != nullptr && Info->CmpName != nullptr &&
                       Info->FSF->ProcessName != nullptr));
}

PROBE_EXPORT void GetPluginInfoW(far2l_api::PluginInfo* Info) {
    static const wchar_t* titles[1];
    titles[0] = g_info.GetMsg(g_info.ModuleNumber, 0);
    Log("getplugininfo size=" + std::to_string(Info->StructSize) + " title=[" + Utf8(titles[0]) +
        "]");
    Info->Flags = far2l_api::PF_EDITOR | far2l_api::PF_DISABLEPANELS;
    Info->PluginMenuStrings = titles;
    Info->PluginMenuStringsNumber = 1;
}

PROBE_EXPORT HANDLE OpenPluginW(int OpenFrom, far2l_api::INT_PTR Item) {
    Log("open from=" + std::to_string(OpenFrom) + " item=" + std::to_string(Item));
    return INVALID_HANDLE_VALUE;
}

PROBE_EXPORT int ProcessEditorEventW(int Event, void* Param) {
    Log("event " + std::to_string(Event) +
        (Param != nullptr && Event == far2l_api::EE_GOTFOCUS
             ? " id=" + std::to_string(*static_cast<const int*>(Param))
             : std::string()));
    return 0;
}

PROBE_EXPORT int ProcessEditorInputW(const far2l_api::INPUT_RECORD* Rec) {
    if (Rec->EventType != KEY_EVENT) {
        Log("input type=" + std::to_string(Rec->EventType));
        return 0;
    }
    const far2l_api::KEY_EVENT_RECORD& key = Rec->Event.KeyEvent;
    Log("key down=" + std::to_string(key.bKeyDown) + " vk=" + Hex(key.wVirtualKeyCode) +
        " char=" + Hex(static_cast<unsigned>(key.uChar.UnicodeChar)) +
        " state=" + Hex(key.dwControlKeyState) + " depth=" + std::to_string(g_depth));
    if (!key.bKeyDown || key.dwControlKeyState != 0 || g_depth > 0) return 0;
    struct Depth {
        Depth() { ++g_depth; }
        ~Depth() { --g_depth; }
    } depth;
    switch (key.uChar.UnicodeChar) {
    case L'i': LogInfoAndLine(); return 1;
    case L's': SetLineAndFeedEnter(); return 1;
    case L'h': FeedLetter(L'H'); return 1;
    case L'n': InsertLine(); return 1;
    case L'm': ShowMenu(); return 1;
    default: return 0;
    }
}
