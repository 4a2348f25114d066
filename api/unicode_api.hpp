// The host's Unicode plug-in interface (file manager 3.x series): records,
// constants, service types and the module's exports, in namespace unicode_api so
// that they stand beside the 1.x records of the same names.
//
// Three builds share it. On Windows (x86 and x64) text is wchar_t; natively
// it is char16_t (Linux's wchar_t has 4 bytes) and every record has the x64
// layout. The Windows types and console records come from ansi_api.hpp.
// Sizes and offsets are checked in unicode_abi_checks.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "api/ansi_api.hpp"

namespace unicode_api {

#ifdef _WIN32
using WChar = wchar_t;
using GUID = ::GUID;
#else
using WChar = char16_t;
struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
#endif

inline bool SameGuid(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i]) return false;
    }
    return true;
}

// Flag words are 64 bits wide in every build.
using PLUGIN_FLAGS = std::uint64_t;
using MENUITEMFLAGS = std::uint64_t;
using FARMENUFLAGS = std::uint64_t;
using FARMESSAGEFLAGS = std::uint64_t;
using FARDIALOGITEMFLAGS = std::uint64_t;
using FARDIALOGFLAGS = std::uint64_t;
using LISTITEMFLAGS = std::uint64_t;
using FARHELPFLAGS = std::uint64_t;
using PROCESSNAME_FLAGS = std::uint64_t;
using WINDOWINFO_FLAGS = std::uint64_t;

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

enum VERSION_STAGE : std::int32_t {
    VS_RELEASE = 0,
    VS_ALPHA = 1,
    VS_BETA = 2,
    VS_RC = 3,
    VS_SPECIAL = 4,
    VS_PRIVATE = 5,
};

enum OPENFROM : std::int32_t {
    OPEN_PLUGINSMENU = 1,
    OPEN_EDITOR = 5,
    OPEN_FROMMACRO = 11,
};

// The type of one argument or result of a macro call.
enum FARMACROVARTYPE : std::int32_t {
    FMVT_UNKNOWN = 0,
    FMVT_INTEGER = 1,
    FMVT_STRING = 2,
    FMVT_DOUBLE = 3,
    FMVT_BOOLEAN = 4,
    FMVT_POINTER = 6,
    FMVT_NIL = 7,
};

inline constexpr PLUGIN_FLAGS PF_NONE = 0;
inline constexpr PLUGIN_FLAGS PF_DISABLEPANELS = 0x2;
inline constexpr PLUGIN_FLAGS PF_EDITOR = 0x4;

enum EDITOR_CONTROL_COMMANDS : std::int32_t {
    ECTL_GETSTRING = 0,
    ECTL_SETSTRING = 1,
    ECTL_INSERTSTRING = 2,
    ECTL_DELETESTRING = 3,
    ECTL_INSERTTEXT = 5,
    ECTL_GETINFO = 6,
    ECTL_SETPOSITION = 7,
    ECTL_REDRAW = 9,
    ECTL_PROCESSINPUT = 15,
    ECTL_SETPARAM = 22,
    ECTL_UNDOREDO = 32,
    ECTL_GETFILENAME = 33,
    ECTL_SUBSCRIBECHANGEEVENT = 36,
    ECTL_UNSUBSCRIBECHANGEEVENT = 37,
};

inline constexpr std::intptr_t CURRENT_EDITOR = -1;

enum EDITOR_UNDOREDO_COMMANDS : std::int32_t {
    EUR_BEGIN = 0,
    EUR_END = 1,
    EUR_UNDO = 2,
    EUR_REDO = 3,
};

enum EDITOR_EVENTS : std::int32_t {
    EE_READ = 0,
    EE_SAVE = 1,
    EE_REDRAW = 2,
    EE_CLOSE = 3,
    EE_GOTFOCUS = 6,
    EE_KILLFOCUS = 7,
    EE_CHANGE = 8,
};

enum EDITOR_OPTIONS : std::uint32_t {
    EOPT_AUTOINDENT = 0x8,
    EOPT_CURSORBEYONDEOL = 0x40,
};

enum EDITOR_CURRENTSTATE : std::uint32_t {
    ECSTATE_MODIFIED = 0x1,
    ECSTATE_SAVED = 0x2,
    ECSTATE_LOCKED = 0x4,
};

enum FAR_SETTINGS_CONTROL_COMMANDS : std::int32_t {
    SCTL_CREATE = 0,
    SCTL_FREE = 1,
    SCTL_SET = 2,
    SCTL_GET = 3,
    SCTL_ENUM = 4,
    SCTL_DELETE = 5,
    SCTL_CREATESUBKEY = 6,
    SCTL_OPENSUBKEY = 7,
};

enum FARSETTINGSTYPES : std::int32_t {
    FST_UNKNOWN = 0,
    FST_SUBKEY = 1,
    FST_QWORD = 2,
    FST_STRING = 3,
    FST_DATA = 4,
};

enum FAR_PLUGIN_SETTINGS_LOCATION : std::int32_t {
    PSL_ROAMING = 0,
    PSL_LOCAL = 1,
};

enum ADVANCED_CONTROL_COMMANDS : std::int32_t {
    ACTL_GETFARMANAGERVERSION = 0,
    ACTL_GETWINDOWINFO = 6,
    ACTL_REDRAWALL = 19,
};

enum FARMESSAGE : std::int32_t {
    DM_GETDLGITEM = 5,
    DM_GETTEXT = 7,
    DM_GETCHECK = 25,
    DM_SETCHECK = 26,
    DM_LISTGETCURPOS = 30,
    DM_GETITEMDATA = 51,
    DM_GETCONSTTEXTPTR = 63,
};

enum FARDIALOGITEMTYPES : std::int32_t {
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

enum FARCHECKEDSTATE : std::int32_t {
    BSTATE_UNCHECKED = 0,
    BSTATE_CHECKED = 1,
};

inline constexpr FARMESSAGEFLAGS FMSG_NONE = 0;
inline constexpr FARMESSAGEFLAGS FMSG_WARNING = 0x1;
inline constexpr FARMESSAGEFLAGS FMSG_LEFTALIGN = 0x8;
inline constexpr FARMESSAGEFLAGS FMSG_ALLINONE = 0x10;
inline constexpr FARMESSAGEFLAGS FMSG_MB_OK = 0x10000;

inline constexpr FARMENUFLAGS FMENU_NONE = 0;
inline constexpr FARMENUFLAGS FMENU_WRAPMODE = 0x2;
inline constexpr MENUITEMFLAGS MIF_NONE = 0;
inline constexpr MENUITEMFLAGS MIF_SELECTED = 0x10000;
inline constexpr MENUITEMFLAGS MIF_CHECKED = 0x20000;
inline constexpr MENUITEMFLAGS MIF_SEPARATOR = 0x40000;

inline constexpr FARDIALOGITEMFLAGS DIF_NONE = 0;
inline constexpr FARDIALOGITEMFLAGS DIF_BOXCOLOR = 0x200;
inline constexpr FARDIALOGITEMFLAGS DIF_CENTERGROUP = 0x4000;
inline constexpr FARDIALOGITEMFLAGS DIF_SEPARATOR = 0x10000;
inline constexpr FARDIALOGITEMFLAGS DIF_HISTORY = 0x40000;
inline constexpr FARDIALOGITEMFLAGS DIF_DEFAULTBUTTON = 0x100000000;
inline constexpr FARDIALOGITEMFLAGS DIF_FOCUS = 0x200000000;
inline constexpr FARDIALOGFLAGS FDLG_NONE = 0;

inline constexpr FARHELPFLAGS FHELP_SELFHELP = 0;

inline constexpr PROCESSNAME_FLAGS PN_CMPNAME = 0;
inline constexpr PROCESSNAME_FLAGS PN_CMPNAMELIST = 0x10000;
inline constexpr PROCESSNAME_FLAGS PN_SKIPPATH = 0x1000000;

// ---------------------------------------------------------------------------
// Records
// ---------------------------------------------------------------------------

struct VersionInfo {
    DWORD Major;
    DWORD Minor;
    DWORD Revision;
    DWORD Build;
    VERSION_STAGE Stage;
};

struct GlobalInfo {
    std::size_t StructSize;
    VersionInfo MinFarVersion;
    VersionInfo Version;
    GUID Guid;
    const WChar* Title;
    const WChar* Description;
    const WChar* Author;
    void* Instance;
};

struct PluginMenuItem {
    const GUID* Guids;
    const WChar* const* Strings;
    std::size_t Count;
};

struct PluginInfo {
    std::size_t StructSize;
    PLUGIN_FLAGS Flags;
    PluginMenuItem DiskMenu;
    PluginMenuItem PluginMenu;
    PluginMenuItem PluginConfig;
    const WChar* CommandPrefix;
    void* Instance;
};

struct OpenInfo {
    std::size_t StructSize;
    OPENFROM OpenFrom;
    const GUID* Guid;
    std::intptr_t Data;
    void* Instance;
};

// One argument of a macro's call: its type, then its value.
struct FarMacroValue {
    FARMACROVARTYPE Type;
    union {
        std::int64_t Integer;
        double Double;
        const WChar* String;
        void* Pointer;
        struct {
            const void* Data;
            std::size_t Size;
        } Binary;  // the widest member: two words
    };
};

// What OpenInfo.Data points at for OPEN_FROMMACRO: the call's arguments.
struct OpenMacroInfo {
    std::size_t StructSize;
    std::size_t Count;
    FarMacroValue* Values;
};

struct ConfigureInfo {
    std::size_t StructSize;
    const GUID* Guid;
    void* Instance;
};

struct ProcessEditorInputInfo {
    std::size_t StructSize;
    INPUT_RECORD Rec;
    void* Instance;
};

struct ProcessEditorEventInfo {
    std::size_t StructSize;
    std::intptr_t Event;
    void* Param;
    std::intptr_t EditorID;
    void* Instance;
};

struct ExitInfo {
    std::size_t StructSize;
    void* Instance;
};

struct FarKey {
    WORD VirtualKeyCode;
    DWORD ControlKeyState;
};

struct FarMenuItem {
    MENUITEMFLAGS Flags;
    const WChar* Text;
    FarKey AccelKey;
    std::intptr_t UserData;
    std::intptr_t Reserved[2];
};

struct FarListItem {
    LISTITEMFLAGS Flags;
    const WChar* Text;
    std::intptr_t UserData;
    std::intptr_t Reserved;
};

struct FarList {
    std::size_t StructSize;
    std::size_t ItemsNumber;
    FarListItem* Items;
};

struct FarListPos {
    std::size_t StructSize;
    std::intptr_t SelectPos;
    std::intptr_t TopPos;
};

struct FarDialogItem {
    FARDIALOGITEMTYPES Type;
    std::intptr_t X1, Y1, X2, Y2;
    union {
        std::intptr_t Selected;  // check boxes and radio buttons: a BSTATE_ value
        FarList* ListItems;      // combo boxes and list boxes
        void* VBuf;
        std::intptr_t Reserved0;
    };
    const WChar* History;
    const WChar* Mask;
    FARDIALOGITEMFLAGS Flags;
    const WChar* Data;
    std::size_t MaxLength;  // edit limit without the terminator; 0 = none
    std::intptr_t UserData;
    std::intptr_t Reserved[2];
};

struct FarDialogItemData {
    std::size_t StructSize;
    std::size_t PtrLength;
    WChar* PtrData;
};

struct FarGetDialogItem {
    std::size_t StructSize;
    std::size_t Size;
    FarDialogItem* Item;
};

struct EditorGetString {
    std::size_t StructSize;
    std::intptr_t StringNumber;
    std::intptr_t StringLength;  // in UTF-16 units; the text need not be terminated
    const WChar* StringText;
    const WChar* StringEOL;
    std::intptr_t SelStart;
    std::intptr_t SelEnd;
};

struct EditorSetString {
    std::size_t StructSize;
    std::intptr_t StringNumber;
    std::intptr_t StringLength;
    const WChar* StringText;
    const WChar* StringEOL;
};

struct EditorInfo {
    std::size_t StructSize;
    std::intptr_t EditorID;
    std::intptr_t WindowSizeX;
    std::intptr_t WindowSizeY;
    std::intptr_t TotalLines;
    std::intptr_t CurLine;
    std::intptr_t CurPos;  // index in the line, a tab counting one
    std::intptr_t CurTabPos;
    std::intptr_t TopScreenLine;
    std::intptr_t LeftPos;
    std::intptr_t Overtype;
    std::intptr_t BlockType;
    std::intptr_t BlockStartLine;
    std::uintptr_t Options;
    std::intptr_t TabSize;
    std::size_t BookmarkCount;
    std::size_t SessionBookmarkCount;
    std::uintptr_t CurState;
    std::uintptr_t CodePage;
    struct Rect {
        std::int32_t left, top, right, bottom;
    } WindowArea, ClientArea;
};

struct EditorSetPosition {
    std::size_t StructSize;
    std::intptr_t CurLine;
    std::intptr_t CurPos;
    std::intptr_t CurTabPos;
    std::intptr_t TopScreenLine;
    std::intptr_t LeftPos;
    std::intptr_t Overtype;
};

struct EditorUndoRedo {
    std::size_t StructSize;
    EDITOR_UNDOREDO_COMMANDS Command;
};

struct EditorSetParameter {
    std::size_t StructSize;
    std::int32_t Type;
    union {
        std::intptr_t iParam;
        WChar* wszParam;
        std::intptr_t Reserved;
    };
    std::uint64_t Flags;
    std::size_t Size;
};

struct EditorConvertPos {
    std::size_t StructSize;
    std::intptr_t StringNumber;
    std::intptr_t SrcPos;
    std::intptr_t DestPos;
};

struct EditorChange {
    std::size_t StructSize;
    std::int32_t Type;
    std::intptr_t StringNumber;
};

struct EditorSaveFile {
    std::size_t StructSize;
    const WChar* FileName;
    const WChar* FileEOL;
    std::uintptr_t CodePage;
};

struct EditorSubscribeChangeEvent {
    std::size_t StructSize;
    GUID PluginId;
};

struct FarSettingsCreate {
    std::size_t StructSize;
    GUID Guid;
    HANDLE Handle;
};

struct FarSettingsItem {
    std::size_t StructSize;
    std::size_t Root;  // key index, 0 = the module's root key
    const WChar* Name;
    FARSETTINGSTYPES Type;
    union {
        std::uint64_t Number;
        const WChar* String;
        struct {
            std::size_t Size;
            const void* Data;
        } Data;
    };
};

struct FarSettingsValue {
    std::size_t StructSize;
    std::size_t Root;
    const WChar* Value;
};

struct FarSettingsName {
    const WChar* Name;
    FARSETTINGSTYPES Type;
};

struct FarSettingsEnum {
    std::size_t StructSize;
    std::size_t Root;
    std::size_t Count;
    union {
        const FarSettingsName* Items;
        const void* Histories;
    };
};

struct WindowInfo {
    std::size_t StructSize;
    std::intptr_t Id;
    WChar* TypeName;
    WChar* Name;
    std::intptr_t TypeNameSize;
    std::intptr_t NameSize;
    std::intptr_t Pos;
    std::int32_t Type;
    WINDOWINFO_FLAGS Flags;
};

// ---------------------------------------------------------------------------
// Services
// ---------------------------------------------------------------------------

using FARWINDOWPROC = std::intptr_t(WINAPI*)(HANDLE hDlg, std::intptr_t Msg, std::intptr_t Param1,
                                             void* Param2);
using FARAPIGETMSG = const WChar*(WINAPI*)(const GUID* PluginId, std::intptr_t MsgId);
using FARAPIMENU = std::intptr_t(WINAPI*)(const GUID* PluginId, const GUID* Id, std::intptr_t X,
                                          std::intptr_t Y, std::intptr_t MaxHeight,
                                          FARMENUFLAGS Flags, const WChar* Title,
                                          const WChar* Bottom, const WChar* HelpTopic,
                                          const FarKey* BreakKeys, std::intptr_t* BreakCode,
                                          const FarMenuItem* Item, std::size_t ItemsNumber);
using FARAPIMESSAGE = std::intptr_t(WINAPI*)(const GUID* PluginId, const GUID* Id,
                                             FARMESSAGEFLAGS Flags, const WChar* HelpTopic,
                                             const WChar* const* Items, std::size_t ItemsNumber,
                                             std::intptr_t ButtonsNumber);
using FARAPIEDITORCONTROL = std::intptr_t(WINAPI*)(std::intptr_t EditorID,
                                                   EDITOR_CONTROL_COMMANDS Command,
                                                   std::intptr_t Param1, void* Param2);
using FARAPISHOWHELP = BOOL(WINAPI*)(const WChar* ModuleName, const WChar* Topic,
                                     FARHELPFLAGS Flags);
using FARAPIADVCONTROL = std::intptr_t(WINAPI*)(const GUID* PluginId,
                                                ADVANCED_CONTROL_COMMANDS Command,
                                                std::intptr_t Param1, void* Param2);
using FARAPIDIALOGINIT = HANDLE(WINAPI*)(const GUID* PluginId, const GUID* Id, std::intptr_t X1,
                                         std::intptr_t Y1, std::intptr_t X2, std::intptr_t Y2,
                                         const WChar* HelpTopic, const FarDialogItem* Item,
                                         std::size_t ItemsNumber, std::intptr_t Reserved,
                                         FARDIALOGFLAGS Flags, FARWINDOWPROC DlgProc, void* Param);
using FARAPIDIALOGRUN = std::intptr_t(WINAPI*)(HANDLE hDlg);
using FARAPIDIALOGFREE = void(WINAPI*)(HANDLE hDlg);
using FARAPISENDDLGMESSAGE = FARWINDOWPROC;
using FARAPISETTINGSCONTROL = std::intptr_t(WINAPI*)(HANDLE hHandle,
                                                     FAR_SETTINGS_CONTROL_COMMANDS Command,
                                                     std::intptr_t Param1, void* Param2);
using FARSTDPROCESSNAME = std::size_t(WINAPI*)(const WChar* Param1, WChar* Param2, std::size_t Size,
                                               PROCESSNAME_FLAGS Flags);
using FARAPIUNUSED = void(WINAPI*)();  // services the module never calls

// Only ProcessName is used: the 40 functions before it and the 8 after it
// keep their places.
struct FarStandardFunctions {
    std::size_t StructSize;
    FARAPIUNUSED Unused1[40];
    FARSTDPROCESSNAME ProcessName;
    FARAPIUNUSED Unused2[8];
};

struct PluginStartupInfo {
    std::size_t StructSize;
    const WChar* ModuleName;
    FARAPIMENU Menu;
    FARAPIMESSAGE Message;
    FARAPIGETMSG GetMsg;
    FARAPIUNUSED PanelControl, SaveScreen, RestoreScreen, GetDirList, GetPluginDirList, FreeDirList,
        FreePluginDirList, Viewer, Editor, Text;
    FARAPIEDITORCONTROL EditorControl;
    FarStandardFunctions* FSF;
    FARAPISHOWHELP ShowHelp;
    FARAPIADVCONTROL AdvControl;
    FARAPIUNUSED InputBox, ColorDialog;
    FARAPIDIALOGINIT DialogInit;
    FARAPIDIALOGRUN DialogRun;
    FARAPIDIALOGFREE DialogFree;
    FARAPISENDDLGMESSAGE SendDlgMessage;
    FARWINDOWPROC DefDlgProc;
    FARAPIUNUSED ViewerControl, PluginsControl, FileFilterControl, RegExpControl, MacroControl;
    FARAPISETTINGSCONTROL SettingsControl;
    const void* Private;
    void* Instance;
    FARAPIUNUSED FreeScreen;
};

// The part of the start-up record up to the last service the module uses.
inline constexpr std::size_t kUsedStartupInfoSize =
    offsetof(PluginStartupInfo, SettingsControl) + sizeof(FARAPISETTINGSCONTROL);

}  // namespace unicode_api

// ---------------------------------------------------------------------------
// The module's exports
// ---------------------------------------------------------------------------

extern "C" {
void WINAPI GetGlobalInfoW(unicode_api::GlobalInfo* Info);
void WINAPI SetStartupInfoW(const unicode_api::PluginStartupInfo* Info);
void WINAPI GetPluginInfoW(unicode_api::PluginInfo* Info);
HANDLE WINAPI OpenW(const unicode_api::OpenInfo* Info);
std::intptr_t WINAPI ConfigureW(const unicode_api::ConfigureInfo* Info);
std::intptr_t WINAPI ProcessEditorInputW(const unicode_api::ProcessEditorInputInfo* Info);
std::intptr_t WINAPI ProcessEditorEventW(const unicode_api::ProcessEditorEventInfo* Info);
void WINAPI ExitFARW(const unicode_api::ExitInfo* Info);
}

namespace unicode_api {
using GetGlobalInfoWFn = void(WINAPI*)(GlobalInfo*);
using SetStartupInfoWFn = void(WINAPI*)(const PluginStartupInfo*);
using GetPluginInfoWFn = void(WINAPI*)(PluginInfo*);
using OpenWFn = HANDLE(WINAPI*)(const OpenInfo*);
using ConfigureWFn = std::intptr_t(WINAPI*)(const ConfigureInfo*);
using ProcessEditorInputWFn = std::intptr_t(WINAPI*)(const ProcessEditorInputInfo*);
using ProcessEditorEventWFn = std::intptr_t(WINAPI*)(const ProcessEditorEventInfo*);
using ExitFARWFn = void(WINAPI*)(const ExitInfo*);
}  // namespace unicode_api
