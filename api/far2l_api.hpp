// far2l's wide plug-in interface (the Linux port of the file manager's 2.x
// line): records, constants, service types and the module's exports, in
// namespace far2l_api so that they stand beside the records of the same
// names of the other interfaces.
//
// far2l runs on x86-64 Linux only: text is wchar_t, 4 bytes, one UTF-32 code
// point per unit. The plug-in records are packed to 2 bytes, so pointers sit
// at offsets that are not multiples of 8; the console records keep their
// natural alignment. The Windows integer types, the control-key bits and the
// virtual keys come from ansi_api.hpp, which has them with the same widths
// and values. Sizes and offsets are checked in far2l_abi_checks.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "api/ansi_api.hpp"

namespace far2l_api {

using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;

// ---------------------------------------------------------------------------
// Console input, as far2l hands it to ProcessEditorInputW
// ---------------------------------------------------------------------------

struct KEY_EVENT_RECORD {
    BOOL bKeyDown;
    WORD wRepeatCount;
    WORD wVirtualKeyCode;  // Cyrillic letters come with 0xE8
    WORD wVirtualScanCode;
    union {
        wchar_t UnicodeChar;  // 0 for Enter, Backspace, Tab, Esc and Ctrl+letter
        char AsciiChar;
    } uChar;
    DWORD dwControlKeyState;
};

struct INPUT_RECORD {
    WORD EventType;  // KEY_EVENT for a key; the other kinds are never read
    union {
        KEY_EVENT_RECORD KeyEvent;
        // The largest of the other events, which gives the union its size
        // and its 8-byte alignment.
        alignas(8) unsigned char OtherEvent[24];
    } Event;
};

// Virtual key of every Cyrillic letter typed on the TTY backend.
inline constexpr WORD kVkCyrillicLetter = 0xE8;

#pragma pack(push, 2)

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

// The interface version a plug-in asks for with GetMinFarVersionW.
constexpr int MakeFarVersion(int major, int minor) { return major << 16 | minor; }

enum OPENFROM : int {
    OPEN_PLUGINSMENU = 1,
    OPEN_EDITOR = 5,
    OPEN_VIEWER = 6,
    OPEN_FROMMACRO = 0x10000,
    OPEN_FROMMACROSTRING = 0x20000,
};

enum PLUGIN_FLAGS : DWORD {
    PF_PRELOAD = 0x1,
    PF_DISABLEPANELS = 0x2,
    PF_EDITOR = 0x4,
};

enum EDITOR_CONTROL_COMMANDS : int {
    ECTL_GETSTRING = 0,
    ECTL_SETSTRING = 1,
    ECTL_INSERTSTRING = 2,  // param: int*, the indent flag
    ECTL_DELETESTRING = 3,
    ECTL_DELETECHAR = 4,
    ECTL_INSERTTEXT = 5,
    ECTL_GETINFO = 6,
    ECTL_SETPOSITION = 7,
    ECTL_SELECT = 8,
    ECTL_REDRAW = 9,
    ECTL_PROCESSINPUT = 15,  // param: INPUT_RECORD*; the plug-ins see the record first
    ECTL_SETPARAM = 22,
    ECTL_UNDOREDO = 32,
    // param: wchar_t*, filled whole with the name and its terminator, or null
    // to learn the size (in characters, the terminator counted) that needs.
    ECTL_GETFILENAME = 33,
};

enum EDITOR_UNDOREDO_COMMANDS : int {
    EUR_BEGIN = 0,
    EUR_END = 1,
    EUR_UNDO = 2,
    EUR_REDO = 3,
};

enum EDITOR_EVENTS : int {
    EE_READ = 0,
    EE_SAVE = 1,
    EE_REDRAW = 2,
    EE_CLOSE = 3,
    EE_GOTFOCUS = 6,
    EE_KILLFOCUS = 7,
};

enum EDITOR_OPTIONS : DWORD {
    EOPT_PERSISTENTBLOCKS = 0x2,
    EOPT_DELREMOVESBLOCKS = 0x4,
    EOPT_AUTOINDENT = 0x8,
    EOPT_CURSORBEYONDEOL = 0x40,
};

enum FARMENUFLAGS : DWORD {
    FMENU_SHOWAMPERSAND = 0x1,
    FMENU_WRAPMODE = 0x2,
    FMENU_AUTOHIGHLIGHT = 0x4,
};

enum MENUITEMFLAGS : DWORD {
    MIF_SELECTED = 0x10000,
    MIF_CHECKED = 0x20000,
    MIF_SEPARATOR = 0x40000,
};

enum FARMESSAGEFLAGS : DWORD {
    FMSG_WARNING = 0x1,
    FMSG_ERRORTYPE = 0x2,
    FMSG_LEFTALIGN = 0x10,
    FMSG_ALLINONE = 0x20,
    FMSG_MB_OK = 0x10000,
};

enum FARDIALOGITEMTYPES : int {
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
    DI_COMBOBOX = 10,
    DI_LISTBOX = 11,
};

// DIF_BOXCOLOR and DIF_DEFAULT are one bit: its meaning depends on the item.
enum FARDIALOGITEMFLAGS : DWORD {
    DIF_BOXCOLOR = 0x200,
    DIF_DEFAULT = 0x200,
    DIF_FOCUS = 0x800,
    DIF_CENTERGROUP = 0x4000,
    DIF_MANUALADDHISTORY = 0x8000,
    DIF_SEPARATOR = 0x10000,
    DIF_HISTORY = 0x40000,
    DIF_USELASTHISTORY = 0x200000,
};

enum FARMESSAGE : int {
    DM_GETDLGITEM = 5,
    DM_GETTEXTLENGTH = 8,
    DM_GETTEXTPTR = 21,
    DM_GETCHECK = 25,
    DM_SETCHECK = 26,
    DM_LISTGETCURPOS = 30,
    DM_GETCONSTTEXTPTR = 64,
};

// What DM_GETCHECK answers for a checkbox.
enum FARCHECKEDSTATE : int {
    BSTATE_UNCHECKED = 0,
    BSTATE_CHECKED = 1,
    BSTATE_3STATE = 2,
};

enum PROCESSNAME_FLAGS : DWORD {
    PN_CMPNAME = 0,
    PN_CMPNAMELIST = 0x10000,
    PN_GENERATENAME = 0x20000,
    PN_SKIPPATH = 0x1000000,
};

enum FARHELPFLAGS : DWORD {
    FHELP_SELFHELP = 0,
    FHELP_USECONTENTS = 0x40000000,
};

// ---------------------------------------------------------------------------
// Records
// ---------------------------------------------------------------------------

struct PluginInfo {
    int StructSize;
    DWORD Flags;  // PLUGIN_FLAGS
    const wchar_t* const* DiskMenuStrings;
    int* Reserved0;
    int DiskMenuStringsNumber;
    const wchar_t* const* PluginMenuStrings;  // the entries of F11's list
    int PluginMenuStringsNumber;
    const wchar_t* const* PluginConfigStrings;  // the entries of the configuration list
    int PluginConfigStringsNumber;
    const wchar_t* CommandPrefix;
    DWORD SysID;  // the id a macro's CallPlugin names the plug-in by
};

struct EditorInfo {
    int EditorID;
    int WindowSizeX;
    int WindowSizeY;
    int TotalLines;
    int CurLine;
    int CurPos;  // index in the line, a tab counting one
    int CurTabPos;
    int TopScreenLine;
    int LeftPos;
    int Overtype;
    int BlockType;
    int BlockStartLine;
    DWORD Options;  // EDITOR_OPTIONS
    int TabSize;
    int BookMarkCount;
    DWORD CurState;
    unsigned CodePage;  // 65001 for UTF-8
    int WindowX;
    int WindowY;
    DWORD Reserved[3];
};

struct EditorGetString {
    int StringNumber;  // -1: the cursor's line
    const wchar_t* StringText;
    const wchar_t* StringEOL;
    int StringLength;  // in characters; the text need not be terminated
    int SelStart;
    int SelEnd;
};

struct EditorSetString {
    int StringNumber;
    const wchar_t* StringText;
    const wchar_t* StringEOL;  // null keeps the line's own
    int StringLength;
};

struct EditorSetPosition {
    int CurLine;  // -1 for each field that stays as it is
    int CurPos;
    int CurTabPos;
    int TopScreenLine;
    int LeftPos;
    int Overtype;
};

struct EditorUndoRedo {
    int Command;  // EDITOR_UNDOREDO_COMMANDS
    DWORD_PTR Reserved[3];
};

struct FarMenuItem {
    const wchar_t* Text;
    int Selected;
    int Checked;
    int Separator;
};

struct FarDialogItem {
    int Type;  // FARDIALOGITEMTYPES
    int X1, Y1, X2, Y2;
    int Focus;
    union {
        DWORD_PTR Reserved;
        int Selected;  // check boxes and radio buttons
        const wchar_t* History;
        const wchar_t* Mask;
        void* ListItems;
        void* VBuf;
    };
    DWORD Flags;  // FARDIALOGITEMFLAGS
    int DefaultButton;
    const wchar_t* PtrData;
    std::size_t MaxLen;  // edit limit without the terminator; 0 = none
};

struct FarDialogItemData {
    std::size_t PtrLength;
    wchar_t* PtrData;
};

// ---------------------------------------------------------------------------
// Services
// ---------------------------------------------------------------------------

using FARWINDOWPROC = LONG_PTR (*)(HANDLE hDlg, int Msg, int Param1, LONG_PTR Param2);
using FARAPIMENU = int (*)(INT_PTR PluginNumber, int X, int Y, int MaxHeight, DWORD Flags,
                           const wchar_t* Title, const wchar_t* Bottom, const wchar_t* HelpTopic,
                           const int* BreakKeys, int* BreakCode, const FarMenuItem* Item,
                           int ItemsNumber);
using FARAPIMESSAGE = int (*)(INT_PTR PluginNumber, DWORD Flags, const wchar_t* HelpTopic,
                              const wchar_t* const* Items, int ItemsNumber, int ButtonsNumber);
using FARAPIGETMSG = const wchar_t* (*)(INT_PTR PluginNumber, int MsgId);
using FARAPIEDITORCONTROL = int (*)(int Command, void* Param);
using FARAPICMPNAME = int (*)(const wchar_t* Pattern, const wchar_t* String, int SkipPath);
using FARAPISHOWHELP = BOOL (*)(const wchar_t* ModuleName, const wchar_t* Topic, DWORD Flags);
using FARAPIDIALOGINIT = HANDLE (*)(INT_PTR PluginNumber, int X1, int Y1, int X2, int Y2,
                                    const wchar_t* HelpTopic, FarDialogItem* Item,
                                    unsigned ItemsNumber, DWORD Reserved, DWORD Flags,
                                    FARWINDOWPROC DlgProc, LONG_PTR Param);
using FARAPIDIALOGRUN = int (*)(HANDLE hDlg);
using FARAPIDIALOGFREE = void (*)(HANDLE hDlg);
using FARAPISENDDLGMESSAGE = LONG_PTR (*)(HANDLE hDlg, int Msg, int Param1, LONG_PTR Param2);
using FARSTDPROCESSNAME = int (*)(const wchar_t* Param1, wchar_t* Param2, DWORD Size, DWORD Flags);
using FARAPIUNUSED = void (*)();  // services the module never calls

// Only ProcessName is called; the functions around it keep their places.
struct FarStandardFunctions {
    int StructSize;
    FARAPIUNUSED atoi, atoi64, itoa, itoa64, sscanf, qsort, bsearch, qsortex, snprintf;
    DWORD_PTR Reserved[7];
    const wchar_t* BoxSymbols;
    FARAPIUNUSED LIsLower, LIsUpper, LIsAlpha, LIsAlphanum, LUpper, LLower;
    FARAPIUNUSED Unused1[27];
    FARSTDPROCESSNAME ProcessName;
    FARAPIUNUSED Unused2[27];
};

struct PluginStartupInfo {
    int StructSize;
    const wchar_t* ModuleName;  // the plug-in file's full path
    INT_PTR ModuleNumber;       // the PluginNumber of every service that takes one
    const wchar_t* RootKey;
    FARAPIMENU Menu;
    FARAPIMESSAGE Message;
    FARAPIGETMSG GetMsg;
    FARAPIUNUSED Control, SaveScreen, RestoreScreen, GetDirList, GetPluginDirList, FreeDirList,
        FreePluginDirList, Viewer, Editor;
    FARAPICMPNAME CmpName;
    FARAPIUNUSED Text;
    FARAPIEDITORCONTROL EditorControl;
    FarStandardFunctions* FSF;
    FARAPISHOWHELP ShowHelp;
    FARAPIUNUSED AdvControl, AdvControlAsync, InputBox;
    FARAPIDIALOGINIT DialogInit;
    FARAPIDIALOGRUN DialogRun;
    FARAPIDIALOGFREE DialogFree;
    FARAPISENDDLGMESSAGE SendDlgMessage;
    FARWINDOWPROC DefDlgProc;
    DWORD_PTR Reserved;
    FARAPIUNUSED ViewerControl, PluginsControl, FileFilterControl, RegExpControl, ColorDialog;
};

#pragma pack(pop)

// The oldest interface the module needs: 2.6.
inline constexpr int kMinFarVersion = MakeFarVersion(2, 6);

}  // namespace far2l_api

namespace far2l_api {
using SetStartupInfoWFn = void (*)(const PluginStartupInfo*);
using GetPluginInfoWFn = void (*)(PluginInfo*);
using OpenPluginWFn = HANDLE (*)(int, INT_PTR);
using ConfigureWFn = int (*)(int);
using ProcessEditorInputWFn = int (*)(const INPUT_RECORD*);
using ProcessEditorEventWFn = int (*)(int, void*);
using GetMinFarVersionWFn = int (*)();
}  // namespace far2l_api
