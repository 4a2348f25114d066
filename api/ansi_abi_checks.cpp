// Compile-time checks of the record layouts the host relies on. A Win32 build
// whose records differ from the host's by one byte would corrupt the host's
// memory, so every size and offset of the interface is pinned here.
#include "api/ansi_api.hpp"

#define CHECK_OFFSET(Record, Field, Offset) \
    static_assert(offsetof(Record, Field) == (Offset), #Record "::" #Field " offset")

// Console records keep the Windows layout in both builds.
static_assert(sizeof(INPUT_RECORD) == 20, "INPUT_RECORD size");
static_assert(sizeof(KEY_EVENT_RECORD) == 16, "KEY_EVENT_RECORD size");
CHECK_OFFSET(INPUT_RECORD, Event, 4);
CHECK_OFFSET(KEY_EVENT_RECORD, bKeyDown, 0);
CHECK_OFFSET(KEY_EVENT_RECORD, wRepeatCount, 4);
CHECK_OFFSET(KEY_EVENT_RECORD, wVirtualKeyCode, 6);
CHECK_OFFSET(KEY_EVENT_RECORD, wVirtualScanCode, 8);
CHECK_OFFSET(KEY_EVENT_RECORD, uChar, 10);
CHECK_OFFSET(KEY_EVENT_RECORD, dwControlKeyState, 12);
static_assert(sizeof(WORD) == 2 && sizeof(DWORD) == 4 && sizeof(BOOL) == 4 && sizeof(WCHAR) == 2,
              "Windows integer widths");
static_assert(sizeof(FarMenuItem) == 140, "FarMenuItem size");
static_assert(BTYPE_NONE == 0 && BTYPE_STREAM == 1 && BTYPE_COLUMN == 2, "EditorInfo.BlockType values");

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(void*) == 4, "the Win32 build is 32-bit");

CHECK_OFFSET(PluginStartupInfo, StructSize, 0);
CHECK_OFFSET(PluginStartupInfo, ModuleName, 4);
CHECK_OFFSET(PluginStartupInfo, ModuleNumber, 264);
CHECK_OFFSET(PluginStartupInfo, RootKey, 268);
CHECK_OFFSET(PluginStartupInfo, Menu, 272);
CHECK_OFFSET(PluginStartupInfo, Dialog, 276);
CHECK_OFFSET(PluginStartupInfo, Message, 280);
CHECK_OFFSET(PluginStartupInfo, GetMsg, 284);
CHECK_OFFSET(PluginStartupInfo, Control, 288);
CHECK_OFFSET(PluginStartupInfo, SaveScreen, 292);
CHECK_OFFSET(PluginStartupInfo, RestoreScreen, 296);
CHECK_OFFSET(PluginStartupInfo, GetDirList, 300);
CHECK_OFFSET(PluginStartupInfo, GetPluginDirList, 304);
CHECK_OFFSET(PluginStartupInfo, FreeDirList, 308);
CHECK_OFFSET(PluginStartupInfo, Viewer, 312);
CHECK_OFFSET(PluginStartupInfo, Editor, 316);
CHECK_OFFSET(PluginStartupInfo, CmpName, 320);
CHECK_OFFSET(PluginStartupInfo, CharTable, 324);
CHECK_OFFSET(PluginStartupInfo, Text, 328);
CHECK_OFFSET(PluginStartupInfo, EditorControl, 332);
static_assert(sizeof(PluginStartupInfo) == 336, "PluginStartupInfo size");
static_assert(kKnownStartupInfoSize == 336, "known part of PluginStartupInfo");

CHECK_OFFSET(PluginInfo, StructSize, 0);
CHECK_OFFSET(PluginInfo, Flags, 4);
CHECK_OFFSET(PluginInfo, DiskMenuStrings, 8);
CHECK_OFFSET(PluginInfo, DiskMenuNumbers, 12);
CHECK_OFFSET(PluginInfo, DiskMenuStringsNumber, 16);
CHECK_OFFSET(PluginInfo, PluginMenuStrings, 20);
CHECK_OFFSET(PluginInfo, PluginMenuStringsNumber, 24);
CHECK_OFFSET(PluginInfo, PluginConfigStrings, 28);
CHECK_OFFSET(PluginInfo, PluginConfigStringsNumber, 32);
CHECK_OFFSET(PluginInfo, CommandPrefix, 36);
static_assert(sizeof(PluginInfo) == 40, "PluginInfo size");

CHECK_OFFSET(FarMenuItem, Text, 0);
CHECK_OFFSET(FarMenuItem, Selected, 128);
CHECK_OFFSET(FarMenuItem, Checked, 132);
CHECK_OFFSET(FarMenuItem, Separator, 136);

CHECK_OFFSET(FarDialogItem, Type, 0);
CHECK_OFFSET(FarDialogItem, X1, 4);
CHECK_OFFSET(FarDialogItem, Y1, 8);
CHECK_OFFSET(FarDialogItem, X2, 12);
CHECK_OFFSET(FarDialogItem, Y2, 16);
CHECK_OFFSET(FarDialogItem, Focus, 20);
CHECK_OFFSET(FarDialogItem, Param, 24);
CHECK_OFFSET(FarDialogItem, Flags, 28);
CHECK_OFFSET(FarDialogItem, DefaultButton, 32);
CHECK_OFFSET(FarDialogItem, Data, 36);
static_assert(sizeof(FarDialogItem) == 548, "FarDialogItem size");

CHECK_OFFSET(EditorInfo, EditorID, 0);
CHECK_OFFSET(EditorInfo, FileName, 4);
CHECK_OFFSET(EditorInfo, WindowSizeX, 8);
CHECK_OFFSET(EditorInfo, WindowSizeY, 12);
CHECK_OFFSET(EditorInfo, TotalLines, 16);
CHECK_OFFSET(EditorInfo, CurLine, 20);
CHECK_OFFSET(EditorInfo, CurPos, 24);
CHECK_OFFSET(EditorInfo, CurTabPos, 28);
CHECK_OFFSET(EditorInfo, TopScreenLine, 32);
CHECK_OFFSET(EditorInfo, LeftPos, 36);
CHECK_OFFSET(EditorInfo, Overtype, 40);
CHECK_OFFSET(EditorInfo, BlockType, 44);
CHECK_OFFSET(EditorInfo, BlockStartLine, 48);
CHECK_OFFSET(EditorInfo, AnsiMode, 52);
CHECK_OFFSET(EditorInfo, TableNum, 56);
CHECK_OFFSET(EditorInfo, Options, 60);
CHECK_OFFSET(EditorInfo, TabSize, 64);
CHECK_OFFSET(EditorInfo, BookMarkCount, 68);
CHECK_OFFSET(EditorInfo, CurState, 72);
CHECK_OFFSET(EditorInfo, Reserved, 76);
static_assert(sizeof(EditorInfo) == 100, "EditorInfo size");

CHECK_OFFSET(EditorGetString, StringNumber, 0);
CHECK_OFFSET(EditorGetString, StringText, 4);
CHECK_OFFSET(EditorGetString, StringEOL, 8);
CHECK_OFFSET(EditorGetString, StringLength, 12);
CHECK_OFFSET(EditorGetString, SelStart, 16);
CHECK_OFFSET(EditorGetString, SelEnd, 20);
static_assert(sizeof(EditorGetString) == 24, "EditorGetString size");

CHECK_OFFSET(EditorSetString, StringNumber, 0);
CHECK_OFFSET(EditorSetString, StringText, 4);
CHECK_OFFSET(EditorSetString, StringEOL, 8);
CHECK_OFFSET(EditorSetString, StringLength, 12);
static_assert(sizeof(EditorSetString) == 16, "EditorSetString size");

CHECK_OFFSET(EditorSetPosition, CurLine, 0);
CHECK_OFFSET(EditorSetPosition, CurPos, 4);
CHECK_OFFSET(EditorSetPosition, CurTabPos, 8);
CHECK_OFFSET(EditorSetPosition, TopScreenLine, 12);
CHECK_OFFSET(EditorSetPosition, LeftPos, 16);
CHECK_OFFSET(EditorSetPosition, Overtype, 20);
static_assert(sizeof(EditorSetPosition) == 24, "EditorSetPosition size");

CHECK_OFFSET(EditorConvertText, Text, 0);
CHECK_OFFSET(EditorConvertText, TextLength, 4);
static_assert(sizeof(EditorConvertText) == 8, "EditorConvertText size");
#endif
