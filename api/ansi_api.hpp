// The host's ANSI plug-in interface (file manager 1.x series): records,
// constants, service types and the module's exports.
//
// One header serves both builds. On Win32 the Windows types come from
// <windows.h> and every service is __stdcall; natively the same types are
// declared here with the same widths and WINAPI expands to nothing. Record
// sizes and offsets of the Win32 build are checked in ansi_abi_checks.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
// <winuser.h> still maps the 16-bit names OemToAnsi and AnsiToOem onto
// OemToCharA and CharToOemA as macros; they would rename the host's own
// code-page functions in some files and not in others.
#undef OemToAnsi
#undef AnsiToOem
#undef OemToAnsiBuff
#undef AnsiToOemBuff
#else

#define WINAPI

using BOOL = std::int32_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using WCHAR = std::uint16_t;  // 16 bits, unlike Linux's wchar_t
using CHAR = char;
using HANDLE = void*;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)))

// Console input: only the key member is read; the mouse member fixes the size.
struct COORD {
    std::int16_t X;
    std::int16_t Y;
};

struct KEY_EVENT_RECORD {
    BOOL bKeyDown;
    WORD wRepeatCount;
    WORD wVirtualKeyCode;
    WORD wVirtualScanCode;
    union {
        WCHAR UnicodeChar;
        CHAR AsciiChar;  // the character in the console's OEM code page
    } uChar;
    DWORD dwControlKeyState;
};

struct MOUSE_EVENT_RECORD {
    COORD dwMousePosition;
    DWORD dwButtonState;
    DWORD dwControlKeyState;
    DWORD dwEventFlags;
};

struct INPUT_RECORD {
    WORD EventType;
    union {
        KEY_EVENT_RECORD KeyEvent;
        MOUSE_EVENT_RECORD MouseEvent;
    } Event;
};

enum : WORD {
    KEY_EVENT = 0x1,
    MOUSE_EVENT = 0x2,
    WINDOW_BUFFER_SIZE_EVENT = 0x4,
    MENU_EVENT = 0x8,
    FOCUS_EVENT = 0x10,
};

enum : DWORD {
    RIGHT_ALT_PRESSED = 0x1,
    LEFT_ALT_PRESSED = 0x2,
    RIGHT_CTRL_PRESSED = 0x4,
    LEFT_CTRL_PRESSED = 0x8,
    SHIFT_PRESSED = 0x10,
    NUMLOCK_ON = 0x20,
    SCROLLLOCK_ON = 0x40,
    CAPSLOCK_ON = 0x80,
    ENHANCED_KEY = 0x100,
};

enum : WORD {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F1 = 0x70,
};

#endif  // _WIN32

// ---------------------------------------------------------------------------
// Records
// ---------------------------------------------------------------------------

struct FarMenuItem {
    char Text[128];
    int Selected;
    int Checked;
    int Separator;
};

struct FarDialogItem {
    int Type;
    int X1, Y1, X2, Y2;
    int Focus;
    union {
        int Selected;         // checkboxes and radio buttons
        const char* History;  // edit fields with DIF_HISTORY
    } Param;
    DWORD Flags;
    int DefaultButton;
    char Data[512];
};

struct EditorInfo {
    int EditorID;
    const char* FileName;  // full name, zero-terminated
    int WindowSizeX;
    int WindowSizeY;
    int TotalLines;
    int CurLine;    // 0-based
    int CurPos;     // 0-based, a tab counts as one
    int CurTabPos;  // screen column
    int TopScreenLine;
    int LeftPos;
    int Overtype;
    int BlockType;
    int BlockStartLine;
    int AnsiMode;  // 1 when the text is shown in the ANSI table
    int TableNum;
    DWORD Options;
    int TabSize;
    int BookMarkCount;
    DWORD CurState;
    DWORD Reserved[6];
};

struct EditorGetString {
    int StringNumber;        // -1 for the cursor's line
    const char* StringText;  // not zero-terminated: StringLength bytes count
    const char* StringEOL;
    int StringLength;
    int SelStart;
    int SelEnd;
};

struct EditorSetString {
    int StringNumber;
    char* StringText;
    char* StringEOL;  // null keeps the line's end-of-line
    int StringLength;
};

struct EditorSetPosition {
    int CurLine;  // every field: -1 leaves the value unchanged
    int CurPos;
    int CurTabPos;
    int TopScreenLine;
    int LeftPos;
    int Overtype;
};

struct EditorConvertText {
    char* Text;  // converted in place by the host
    int TextLength;
};

// ---------------------------------------------------------------------------
// Services
// ---------------------------------------------------------------------------

using FARAPIMENU = int(WINAPI*)(int PluginNumber, int X, int Y, int MaxHeight, DWORD Flags,
                                const char* Title, const char* Bottom, const char* HelpTopic,
                                const int* BreakKeys, int* BreakCode, const FarMenuItem* Item,
                                int ItemsNumber);
using FARAPIDIALOG = int(WINAPI*)(int PluginNumber, int X1, int Y1, int X2, int Y2,
                                  const char* HelpTopic, FarDialogItem* Item, int ItemsNumber);
using FARAPIMESSAGE = int(WINAPI*)(int PluginNumber, DWORD Flags, const char* HelpTopic,
                                   const char* const* Items, int ItemsNumber, int ButtonsNumber);
using FARAPIGETMSG = const char*(WINAPI*)(int PluginNumber, int MsgId);
using FARAPICMPNAME = int(WINAPI*)(const char* Pattern, const char* String, int SkipPath);
using FARAPIEDITORCONTROL = int(WINAPI*)(int Command, void* Param);
using FARAPIUNUSED = void(WINAPI*)();  // services the module never calls

struct PluginStartupInfo {
    int StructSize;
    char ModuleName[260];
    int ModuleNumber;
    const char* RootKey;  // registry path below HKEY_CURRENT_USER
    FARAPIMENU Menu;
    FARAPIDIALOG Dialog;
    FARAPIMESSAGE Message;
    FARAPIGETMSG GetMsg;
    FARAPIUNUSED Control;
    FARAPIUNUSED SaveScreen;
    FARAPIUNUSED RestoreScreen;
    FARAPIUNUSED GetDirList;
    FARAPIUNUSED GetPluginDirList;
    FARAPIUNUSED FreeDirList;
    FARAPIUNUSED Viewer;
    FARAPIUNUSED Editor;
    FARAPICMPNAME CmpName;
    FARAPIUNUSED CharTable;
    FARAPIUNUSED Text;
    FARAPIEDITORCONTROL EditorControl;
    // Later hosts append more fields here.
};

// The part of PluginStartupInfo that this interface version knows.
inline constexpr int kKnownStartupInfoSize =
    static_cast<int>(offsetof(PluginStartupInfo, EditorControl) + sizeof(FARAPIEDITORCONTROL));

struct PluginInfo {
    int StructSize;
    DWORD Flags;
    const char* const* DiskMenuStrings;
    int* DiskMenuNumbers;
    int DiskMenuStringsNumber;
    const char* const* PluginMenuStrings;
    int PluginMenuStringsNumber;
    const char* const* PluginConfigStrings;
    int PluginConfigStringsNumber;
    const char* CommandPrefix;
};

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

enum : DWORD {
    PF_PRELOAD = 1,
    PF_DISABLEPANELS = 2,
    PF_EDITOR = 4,
    PF_VIEWER = 8,
};

enum : int {
    DI_TEXT = 0,
    DI_VTEXT = 1,
    DI_SINGLEBOX = 2,
    DI_DOUBLEBOX = 3,
    DI_EDIT = 4,
    DI_PSWEDIT = 5,
    DI_FIXEDIT = 6,
    DI_BUTTON = 7,
    DI_CHECKBOX = 8,
    DI_RADIOBUTTON = 9,
};

enum : DWORD {
    DIF_BOXCOLOR = 0x200,
    DIF_GROUP = 0x400,
    DIF_CENTERGROUP = 0x4000,
    DIF_SEPARATOR = 0x10000,
    DIF_HISTORY = 0x40000,
};

enum : DWORD {
    EOPT_EXPANDALLTABS = 1,
    EOPT_PERSISTENTBLOCKS = 2,
    EOPT_DELREMOVESBLOCKS = 4,
    EOPT_AUTOINDENT = 8,
    EOPT_SAVEFILEPOSITION = 0x10,
    EOPT_AUTODETECTTABLE = 0x20,
    EOPT_CURSORBEYONDEOL = 0x40,
};

// EditorInfo.BlockType
enum : int {
    BTYPE_NONE = 0,
    BTYPE_STREAM = 1,
    BTYPE_COLUMN = 2,
};

enum : DWORD {
    FMENU_SHOWAMPERSAND = 1,
    FMENU_WRAPMODE = 2,
    FMENU_AUTOHIGHLIGHT = 4,
};

enum : DWORD {
    FMSG_WARNING = 1,
    FMSG_LEFTALIGN = 0x10,
};

enum : int {
    ECTL_GETSTRING = 0,
    ECTL_SETSTRING = 1,
    ECTL_INSERTSTRING = 2,  // param: int* auto-indent flag, may be null
    ECTL_DELETESTRING = 3,
    ECTL_DELETECHAR = 4,
    ECTL_INSERTTEXT = 5,
    ECTL_GETINFO = 6,
    ECTL_SETPOSITION = 7,
    ECTL_SELECT = 8,
    ECTL_REDRAW = 9,
    ECTL_EDITORTOOEM = 10,
    ECTL_OEMTOEDITOR = 11,
    ECTL_TABTOREAL = 12,
    ECTL_REALTOTAB = 13,
    ECTL_EXPANDTABS = 14,
    ECTL_SETTITLE = 15,
    ECTL_READINPUT = 16,
    ECTL_PROCESSINPUT = 17,  // param: INPUT_RECORD*
};

// The editor events of the optional ProcessEditorEvent export.
enum : int {
    EE_READ = 0,
    EE_SAVE = 1,  // param: null
    EE_REDRAW = 2,
    EE_CLOSE = 3,
};

enum : int {
    OPEN_PLUGINSMENU = 1,
    OPEN_EDITOR = 5,
};

// ---------------------------------------------------------------------------
// The module's exports (C linkage, plain names)
// ---------------------------------------------------------------------------

extern "C" {
void WINAPI SetStartupInfo(const PluginStartupInfo* Info);
void WINAPI GetPluginInfo(PluginInfo* Info);
int WINAPI ProcessEditorInput(const INPUT_RECORD* Rec);
HANDLE WINAPI OpenPlugin(int OpenFrom, int Item);
int WINAPI Configure(int ItemNumber);
}

// Pointer types of the exports, for hosts that resolve them at run time.
using SetStartupInfoFn = void(WINAPI*)(const PluginStartupInfo*);
using GetPluginInfoFn = void(WINAPI*)(PluginInfo*);
using ProcessEditorInputFn = int(WINAPI*)(const INPUT_RECORD*);
// Optional: a module without it is not told of editor events.
using ProcessEditorEventFn = int(WINAPI*)(int Event, void* Param);
using OpenPluginFn = HANDLE(WINAPI*)(int, int);
using ConfigureFn = int(WINAPI*)(int);
