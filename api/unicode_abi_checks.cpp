// Compile-time checks of the Unicode interface's record layouts, in the
// column of the build at hand: the i686 build has the x86 layout, the x86-64
// Windows build and the native build the x64 one. A record that differs from
// the host's by one byte would corrupt the host's memory.
#include "api/unicode_api.hpp"

#include <cstddef>

namespace {

#if defined(_WIN32) && !defined(_WIN64)
constexpr bool kX86 = true;
static_assert(sizeof(void*) == 4, "the i686 build is 32-bit");
#else
constexpr bool kX86 = false;
static_assert(sizeof(void*) == 8, "the x86-64 and native builds are 64-bit");
#endif

static_assert(sizeof(unicode_api::WChar) == 2, "text is in UTF-16 units");
static_assert(sizeof(unicode_api::GUID) == 16 && alignof(unicode_api::GUID) == 4, "GUID layout");
static_assert(sizeof(DWORD) == 4 && sizeof(BOOL) == 4 && sizeof(WORD) == 2, "Windows integers");
static_assert(sizeof(unicode_api::VERSION_STAGE) == 4 &&
                  sizeof(unicode_api::FARSETTINGSTYPES) == 4 &&
                  sizeof(unicode_api::OPENFROM) == 4 && sizeof(unicode_api::FARMACROVARTYPE) == 4 &&
                  sizeof(unicode_api::EDITOR_UNDOREDO_COMMANDS) == 4,
              "enums are 4 bytes");
static_assert(unicode_api::kUsedStartupInfoSize == (kX86 ? 128 : 256),
              "used part of the start-up record");

#define CHECK_SIZE(Record, X86, X64) \
    static_assert(sizeof(unicode_api::Record) == (kX86 ? (X86) : (X64)), #Record " size")
#define CHECK_AT(Record, Field, X86, X64)                                         \
    static_assert(offsetof(unicode_api::Record, Field) == (kX86 ? (X86) : (X64)), \
                  #Record "::" #Field " offset")

CHECK_SIZE(VersionInfo, 20, 20);
CHECK_AT(VersionInfo, Major, 0, 0);
CHECK_AT(VersionInfo, Minor, 4, 4);
CHECK_AT(VersionInfo, Revision, 8, 8);
CHECK_AT(VersionInfo, Build, 12, 12);
CHECK_AT(VersionInfo, Stage, 16, 16);

CHECK_SIZE(GlobalInfo, 76, 96);
CHECK_AT(GlobalInfo, StructSize, 0, 0);
CHECK_AT(GlobalInfo, MinFarVersion, 4, 8);
CHECK_AT(GlobalInfo, Version, 24, 28);
CHECK_AT(GlobalInfo, Guid, 44, 48);
CHECK_AT(GlobalInfo, Title, 60, 64);
CHECK_AT(GlobalInfo, Description, 64, 72);
CHECK_AT(GlobalInfo, Author, 68, 80);
CHECK_AT(GlobalInfo, Instance, 72, 88);

CHECK_SIZE(PluginStartupInfo, 140, 280);
CHECK_AT(PluginStartupInfo, StructSize, 0, 0);
CHECK_AT(PluginStartupInfo, ModuleName, 4, 8);
CHECK_AT(PluginStartupInfo, Menu, 8, 16);
CHECK_AT(PluginStartupInfo, Message, 12, 24);
CHECK_AT(PluginStartupInfo, GetMsg, 16, 32);
CHECK_AT(PluginStartupInfo, PanelControl, 20, 40);
CHECK_AT(PluginStartupInfo, Text, 56, 112);
CHECK_AT(PluginStartupInfo, EditorControl, 60, 120);
CHECK_AT(PluginStartupInfo, FSF, 64, 128);
CHECK_AT(PluginStartupInfo, ShowHelp, 68, 136);
CHECK_AT(PluginStartupInfo, AdvControl, 72, 144);
CHECK_AT(PluginStartupInfo, InputBox, 76, 152);
CHECK_AT(PluginStartupInfo, ColorDialog, 80, 160);
CHECK_AT(PluginStartupInfo, DialogInit, 84, 168);
CHECK_AT(PluginStartupInfo, DialogRun, 88, 176);
CHECK_AT(PluginStartupInfo, DialogFree, 92, 184);
CHECK_AT(PluginStartupInfo, SendDlgMessage, 96, 192);
CHECK_AT(PluginStartupInfo, DefDlgProc, 100, 200);
CHECK_AT(PluginStartupInfo, ViewerControl, 104, 208);
CHECK_AT(PluginStartupInfo, MacroControl, 120, 240);
CHECK_AT(PluginStartupInfo, SettingsControl, 124, 248);
CHECK_AT(PluginStartupInfo, Private, 128, 256);
CHECK_AT(PluginStartupInfo, Instance, 132, 264);
CHECK_AT(PluginStartupInfo, FreeScreen, 136, 272);

CHECK_SIZE(FarStandardFunctions, 200, 400);
CHECK_AT(FarStandardFunctions, StructSize, 0, 0);
CHECK_AT(FarStandardFunctions, ProcessName, 164, 328);
CHECK_AT(FarStandardFunctions, Unused2[7], 196, 392);

CHECK_SIZE(PluginInfo, 64, 104);
CHECK_AT(PluginInfo, StructSize, 0, 0);
CHECK_AT(PluginInfo, Flags, 8, 8);
CHECK_AT(PluginInfo, DiskMenu, 16, 16);
CHECK_AT(PluginInfo, PluginMenu, 28, 40);
CHECK_AT(PluginInfo, PluginConfig, 40, 64);
CHECK_AT(PluginInfo, CommandPrefix, 52, 88);
CHECK_AT(PluginInfo, Instance, 56, 96);

CHECK_SIZE(PluginMenuItem, 12, 24);
CHECK_AT(PluginMenuItem, Guids, 0, 0);
CHECK_AT(PluginMenuItem, Strings, 4, 8);
CHECK_AT(PluginMenuItem, Count, 8, 16);

CHECK_SIZE(OpenInfo, 20, 40);
CHECK_AT(OpenInfo, StructSize, 0, 0);
CHECK_AT(OpenInfo, OpenFrom, 4, 8);
CHECK_AT(OpenInfo, Guid, 8, 16);
CHECK_AT(OpenInfo, Data, 12, 24);
CHECK_AT(OpenInfo, Instance, 16, 32);

CHECK_SIZE(OpenMacroInfo, 12, 24);
CHECK_AT(OpenMacroInfo, StructSize, 0, 0);
CHECK_AT(OpenMacroInfo, Count, 4, 8);
CHECK_AT(OpenMacroInfo, Values, 8, 16);

CHECK_SIZE(FarMacroValue, 16, 24);
CHECK_AT(FarMacroValue, Type, 0, 0);
CHECK_AT(FarMacroValue, Integer, 8, 8);
CHECK_AT(FarMacroValue, String, 8, 8);

CHECK_SIZE(ConfigureInfo, 12, 24);
CHECK_AT(ConfigureInfo, StructSize, 0, 0);
CHECK_AT(ConfigureInfo, Guid, 4, 8);
CHECK_AT(ConfigureInfo, Instance, 8, 16);

CHECK_SIZE(ProcessEditorInputInfo, 28, 40);
CHECK_AT(ProcessEditorInputInfo, StructSize, 0, 0);
CHECK_AT(ProcessEditorInputInfo, Rec, 4, 8);
CHECK_AT(ProcessEditorInputInfo, Instance, 24, 32);

CHECK_SIZE(ProcessEditorEventInfo, 20, 40);
CHECK_AT(ProcessEditorEventInfo, StructSize, 0, 0);
CHECK_AT(ProcessEditorEventInfo, Event, 4, 8);
CHECK_AT(ProcessEditorEventInfo, Param, 8, 16);
CHECK_AT(ProcessEditorEventInfo, EditorID, 12, 24);
CHECK_AT(ProcessEditorEventInfo, Instance, 16, 32);

CHECK_SIZE(ExitInfo, 8, 16);
CHECK_AT(ExitInfo, StructSize, 0, 0);
CHECK_AT(ExitInfo, Instance, 4, 8);

CHECK_SIZE(FarKey, 8, 8);
CHECK_AT(FarKey, VirtualKeyCode, 0, 0);
CHECK_AT(FarKey, ControlKeyState, 4, 4);

CHECK_SIZE(FarMenuItem, 32, 48);
CHECK_AT(FarMenuItem, Flags, 0, 0);
CHECK_AT(FarMenuItem, Text, 8, 8);
CHECK_AT(FarMenuItem, AccelKey, 12, 16);
CHECK_AT(FarMenuItem, UserData, 20, 24);
CHECK_AT(FarMenuItem, Reserved, 24, 32);

CHECK_SIZE(FarDialogItem, 64, 112);
CHECK_AT(FarDialogItem, Type, 0, 0);
CHECK_AT(FarDialogItem, X1, 4, 8);
CHECK_AT(FarDialogItem, Y1, 8, 16);
CHECK_AT(FarDialogItem, X2, 12, 24);
CHECK_AT(FarDialogItem, Y2, 16, 32);
CHECK_AT(FarDialogItem, Selected, 20, 40);
CHECK_AT(FarDialogItem, ListItems, 20, 40);
CHECK_AT(FarDialogItem, History, 24, 48);
CHECK_AT(FarDialogItem, Mask, 28, 56);
CHECK_AT(FarDialogItem, Flags, 32, 64);
CHECK_AT(FarDialogItem, Data, 40, 72);
CHECK_AT(FarDialogItem, MaxLength, 44, 80);
CHECK_AT(FarDialogItem, UserData, 48, 88);
CHECK_AT(FarDialogItem, Reserved, 52, 96);

CHECK_SIZE(EditorGetString, 28, 56);
CHECK_AT(EditorGetString, StructSize, 0, 0);
CHECK_AT(EditorGetString, StringNumber, 4, 8);
CHECK_AT(EditorGetString, StringLength, 8, 16);
CHECK_AT(EditorGetString, StringText, 12, 24);
CHECK_AT(EditorGetString, StringEOL, 16, 32);
CHECK_AT(EditorGetString, SelStart, 20, 40);
CHECK_AT(EditorGetString, SelEnd, 24, 48);

CHECK_SIZE(EditorSetString, 20, 40);
CHECK_AT(EditorSetString, StructSize, 0, 0);
CHECK_AT(EditorSetString, StringNumber, 4, 8);
CHECK_AT(EditorSetString, StringLength, 8, 16);
CHECK_AT(EditorSetString, StringText, 12, 24);
CHECK_AT(EditorSetString, StringEOL, 16, 32);

CHECK_SIZE(EditorInfo, 108, 184);
CHECK_AT(EditorInfo, StructSize, 0, 0);
CHECK_AT(EditorInfo, EditorID, 4, 8);
CHECK_AT(EditorInfo, WindowSizeX, 8, 16);
CHECK_AT(EditorInfo, WindowSizeY, 12, 24);
CHECK_AT(EditorInfo, TotalLines, 16, 32);
CHECK_AT(EditorInfo, CurLine, 20, 40);
CHECK_AT(EditorInfo, CurPos, 24, 48);
CHECK_AT(EditorInfo, CurTabPos, 28, 56);
CHECK_AT(EditorInfo, TopScreenLine, 32, 64);
CHECK_AT(EditorInfo, LeftPos, 36, 72);
CHECK_AT(EditorInfo, Overtype, 40, 80);
CHECK_AT(EditorInfo, BlockType, 44, 88);
CHECK_AT(EditorInfo, BlockStartLine, 48, 96);
CHECK_AT(EditorInfo, Options, 52, 104);
CHECK_AT(EditorInfo, TabSize, 56, 112);
CHECK_AT(EditorInfo, BookmarkCount, 60, 120);
CHECK_AT(EditorInfo, SessionBookmarkCount, 64, 128);
CHECK_AT(EditorInfo, CurState, 68, 136);
CHECK_AT(EditorInfo, CodePage, 72, 144);
CHECK_AT(EditorInfo, WindowArea, 76, 152);
CHECK_AT(EditorInfo, ClientArea, 92, 168);

CHECK_SIZE(EditorSetPosition, 28, 56);
CHECK_AT(EditorSetPosition, StructSize, 0, 0);
CHECK_AT(EditorSetPosition, CurLine, 4, 8);
CHECK_AT(EditorSetPosition, CurPos, 8, 16);
CHECK_AT(EditorSetPosition, CurTabPos, 12, 24);
CHECK_AT(EditorSetPosition, TopScreenLine, 16, 32);
CHECK_AT(EditorSetPosition, LeftPos, 20, 40);
CHECK_AT(EditorSetPosition, Overtype, 24, 48);

CHECK_SIZE(EditorUndoRedo, 8, 16);
CHECK_AT(EditorUndoRedo, StructSize, 0, 0);
CHECK_AT(EditorUndoRedo, Command, 4, 8);

CHECK_SIZE(FarSettingsCreate, 24, 32);
CHECK_AT(FarSettingsCreate, StructSize, 0, 0);
CHECK_AT(FarSettingsCreate, Guid, 4, 8);
CHECK_AT(FarSettingsCreate, Handle, 20, 24);

CHECK_SIZE(FarSettingsItem, 24, 48);
CHECK_AT(FarSettingsItem, StructSize, 0, 0);
CHECK_AT(FarSettingsItem, Root, 4, 8);
CHECK_AT(FarSettingsItem, Name, 8, 16);
CHECK_AT(FarSettingsItem, Type, 12, 24);
CHECK_AT(FarSettingsItem, Number, 16, 32);
CHECK_AT(FarSettingsItem, String, 16, 32);
CHECK_AT(FarSettingsItem, Data.Size, 16, 32);
CHECK_AT(FarSettingsItem, Data.Data, 20, 40);

CHECK_SIZE(FarSettingsValue, 12, 24);
CHECK_AT(FarSettingsValue, StructSize, 0, 0);
CHECK_AT(FarSettingsValue, Root, 4, 8);
CHECK_AT(FarSettingsValue, Value, 8, 16);

CHECK_SIZE(FarListItem, 24, 32);
CHECK_AT(FarListItem, Flags, 0, 0);
CHECK_AT(FarListItem, Text, 8, 8);
CHECK_AT(FarListItem, UserData, 12, 16);
CHECK_AT(FarListItem, Reserved, 16, 24);

CHECK_SIZE(FarList, 12, 24);
CHECK_AT(FarList, StructSize, 0, 0);
CHECK_AT(FarList, ItemsNumber, 4, 8);
CHECK_AT(FarList, Items, 8, 16);

CHECK_SIZE(FarListPos, 12, 24);
CHECK_AT(FarListPos, StructSize, 0, 0);
CHECK_AT(FarListPos, SelectPos, 4, 8);
CHECK_AT(FarListPos, TopPos, 8, 16);

CHECK_SIZE(FarDialogItemData, 12, 24);
CHECK_AT(FarDialogItemData, StructSize, 0, 0);
CHECK_AT(FarDialogItemData, PtrLength, 4, 8);
CHECK_AT(FarDialogItemData, PtrData, 8, 16);

CHECK_SIZE(FarGetDialogItem, 12, 24);
CHECK_AT(FarGetDialogItem, StructSize, 0, 0);
CHECK_AT(FarGetDialogItem, Size, 4, 8);
CHECK_AT(FarGetDialogItem, Item, 8, 16);

CHECK_SIZE(EditorSetParameter, 32, 40);
CHECK_AT(EditorSetParameter, StructSize, 0, 0);
CHECK_AT(EditorSetParameter, Type, 4, 8);
CHECK_AT(EditorSetParameter, iParam, 8, 16);
CHECK_AT(EditorSetParameter, Flags, 16, 24);
CHECK_AT(EditorSetParameter, Size, 24, 32);

CHECK_SIZE(EditorConvertPos, 16, 32);
CHECK_AT(EditorConvertPos, StructSize, 0, 0);
CHECK_AT(EditorConvertPos, StringNumber, 4, 8);
CHECK_AT(EditorConvertPos, SrcPos, 8, 16);
CHECK_AT(EditorConvertPos, DestPos, 12, 24);

CHECK_SIZE(EditorChange, 12, 24);
CHECK_AT(EditorChange, StructSize, 0, 0);
CHECK_AT(EditorChange, Type, 4, 8);
CHECK_AT(EditorChange, StringNumber, 8, 16);

CHECK_SIZE(EditorSaveFile, 16, 32);
CHECK_AT(EditorSaveFile, StructSize, 0, 0);
CHECK_AT(EditorSaveFile, FileName, 4, 8);
CHECK_AT(EditorSaveFile, FileEOL, 8, 16);
CHECK_AT(EditorSaveFile, CodePage, 12, 24);

CHECK_SIZE(EditorSubscribeChangeEvent, 20, 24);
CHECK_AT(EditorSubscribeChangeEvent, StructSize, 0, 0);
CHECK_AT(EditorSubscribeChangeEvent, PluginId, 4, 8);

CHECK_SIZE(FarSettingsEnum, 16, 32);
CHECK_AT(FarSettingsEnum, StructSize, 0, 0);
CHECK_AT(FarSettingsEnum, Root, 4, 8);
CHECK_AT(FarSettingsEnum, Count, 8, 16);
CHECK_AT(FarSettingsEnum, Items, 12, 24);

CHECK_SIZE(FarSettingsName, 8, 16);
CHECK_AT(FarSettingsName, Name, 0, 0);
CHECK_AT(FarSettingsName, Type, 4, 8);

CHECK_SIZE(WindowInfo, 40, 72);
CHECK_AT(WindowInfo, StructSize, 0, 0);
CHECK_AT(WindowInfo, Id, 4, 8);
CHECK_AT(WindowInfo, TypeName, 8, 16);
CHECK_AT(WindowInfo, Name, 12, 24);
CHECK_AT(WindowInfo, TypeNameSize, 16, 32);
CHECK_AT(WindowInfo, NameSize, 20, 40);
CHECK_AT(WindowInfo, Pos, 24, 48);
CHECK_AT(WindowInfo, Type, 28, 56);
CHECK_AT(WindowInfo, Flags, 32, 64);

static_assert(sizeof(INPUT_RECORD) == 20 && offsetof(INPUT_RECORD, Event) == 4, "INPUT_RECORD");
static_assert(offsetof(KEY_EVENT_RECORD, uChar) == 10 &&
                  offsetof(KEY_EVENT_RECORD, dwControlKeyState) == 12,
              "KEY_EVENT_RECORD");

}  // namespace
