// Compile-time checks of far2l's record layouts (x86-64 Linux: plug-in
// records packed to 2 bytes, console records at their natural alignment).
// A record that differs from the host's by one byte would corrupt the host's
// memory, so every size and offset the module relies on is pinned here.
#include "api/far2l_api.hpp"

#include <cstddef>

namespace {

static_assert(sizeof(void*) == 8, "far2l plug-ins are 64-bit");
static_assert(sizeof(wchar_t) == 4, "text is in UTF-32 units");
static_assert(sizeof(DWORD) == 4 && sizeof(BOOL) == 4 && sizeof(WORD) == 2, "Windows integers");
static_assert(sizeof(far2l_api::OPENFROM) == 4 && sizeof(far2l_api::EDITOR_CONTROL_COMMANDS) == 4,
              "enums are 4 bytes");
static_assert(far2l_api::kMinFarVersion == 0x00020006, "the interface version 2.6");

#define CHECK_SIZE(Record, Size) static_assert(sizeof(far2l_api::Record) == (Size), #Record " size")
#define CHECK_AT(Record, Field, Offset) \
    static_assert(offsetof(far2l_api::Record, Field) == (Offset), #Record "::" #Field " offset")

CHECK_SIZE(PluginStartupInfo, 276);
CHECK_AT(PluginStartupInfo, StructSize, 0);
CHECK_AT(PluginStartupInfo, ModuleName, 4);
CHECK_AT(PluginStartupInfo, ModuleNumber, 12);
CHECK_AT(PluginStartupInfo, RootKey, 20);
CHECK_AT(PluginStartupInfo, Menu, 28);
CHECK_AT(PluginStartupInfo, Message, 36);
CHECK_AT(PluginStartupInfo, GetMsg, 44);
CHECK_AT(PluginStartupInfo, Control, 52);
CHECK_AT(PluginStartupInfo, SaveScreen, 60);
CHECK_AT(PluginStartupInfo, RestoreScreen, 68);
CHECK_AT(PluginStartupInfo, GetDirList, 76);
CHECK_AT(PluginStartupInfo, GetPluginDirList, 84);
CHECK_AT(PluginStartupInfo, FreeDirList, 92);
CHECK_AT(PluginStartupInfo, FreePluginDirList, 100);
CHECK_AT(PluginStartupInfo, Viewer, 108);
CHECK_AT(PluginStartupInfo, Editor, 116);
CHECK_AT(PluginStartupInfo, CmpName, 124);
CHECK_AT(PluginStartupInfo, Text, 132);
CHECK_AT(PluginStartupInfo, EditorControl, 140);
CHECK_AT(PluginStartupInfo, FSF, 148);
CHECK_AT(PluginStartupInfo, ShowHelp, 156);
CHECK_AT(PluginStartupInfo, AdvControl, 164);
CHECK_AT(PluginStartupInfo, AdvControlAsync, 172);
CHECK_AT(PluginStartupInfo, InputBox, 180);
CHECK_AT(PluginStartupInfo, DialogInit, 188);
CHECK_AT(PluginStartupInfo, DialogRun, 196);
CHECK_AT(PluginStartupInfo, DialogFree, 204);
CHECK_AT(PluginStartupInfo, SendDlgMessage, 212);
CHECK_AT(PluginStartupInfo, DefDlgProc, 220);
CHECK_AT(PluginStartupInfo, Reserved, 228);
CHECK_AT(PluginStartupInfo, ViewerControl, 236);
CHECK_AT(PluginStartupInfo, PluginsControl, 244);
CHECK_AT(PluginStartupInfo, FileFilterControl, 252);
CHECK_AT(PluginStartupInfo, RegExpControl, 260);
CHECK_AT(PluginStartupInfo, ColorDialog, 268);

CHECK_SIZE(FarStandardFunctions, 628);
CHECK_AT(FarStandardFunctions, StructSize, 0);
CHECK_AT(FarStandardFunctions, atoi, 4);
CHECK_AT(FarStandardFunctions, atoi64, 12);
CHECK_AT(FarStandardFunctions, itoa, 20);
CHECK_AT(FarStandardFunctions, itoa64, 28);
CHECK_AT(FarStandardFunctions, sscanf, 36);
CHECK_AT(FarStandardFunctions, qsort, 44);
CHECK_AT(FarStandardFunctions, bsearch, 52);
CHECK_AT(FarStandardFunctions, qsortex, 60);
CHECK_AT(FarStandardFunctions, snprintf, 68);
CHECK_AT(FarStandardFunctions, Reserved, 76);
CHECK_AT(FarStandardFunctions, BoxSymbols, 132);
CHECK_AT(FarStandardFunctions, LIsLower, 140);
CHECK_AT(FarStandardFunctions, LIsUpper, 148);
CHECK_AT(FarStandardFunctions, LIsAlpha, 156);
CHECK_AT(FarStandardFunctions, LIsAlphanum, 164);
CHECK_AT(FarStandardFunctions, LUpper, 172);
CHECK_AT(FarStandardFunctions, LLower, 180);
CHECK_AT(FarStandardFunctions, ProcessName, 404);

CHECK_SIZE(PluginInfo, 64);
CHECK_AT(PluginInfo, StructSize, 0);
CHECK_AT(PluginInfo, Flags, 4);
CHECK_AT(PluginInfo, DiskMenuStrings, 8);
CHECK_AT(PluginInfo, Reserved0, 16);
CHECK_AT(PluginInfo, DiskMenuStringsNumber, 24);
CHECK_AT(PluginInfo, PluginMenuStrings, 28);
CHECK_AT(PluginInfo, PluginMenuStringsNumber, 36);
CHECK_AT(PluginInfo, PluginConfigStrings, 40);
CHECK_AT(PluginInfo, PluginConfigStringsNumber, 48);
CHECK_AT(PluginInfo, CommandPrefix, 52);
CHECK_AT(PluginInfo, SysID, 60);

CHECK_SIZE(EditorInfo, 88);
CHECK_AT(EditorInfo, EditorID, 0);
CHECK_AT(EditorInfo, WindowSizeX, 4);
CHECK_AT(EditorInfo, WindowSizeY, 8);
CHECK_AT(EditorInfo, TotalLines, 12);
CHECK_AT(EditorInfo, CurLine, 16);
CHECK_AT(EditorInfo, CurPos, 20);
CHECK_AT(EditorInfo, CurTabPos, 24);
CHECK_AT(EditorInfo, TopScreenLine, 28);
CHECK_AT(EditorInfo, LeftPos, 32);
CHECK_AT(EditorInfo, Overtype, 36);
CHECK_AT(EditorInfo, BlockType, 40);
CHECK_AT(EditorInfo, BlockStartLine, 44);
CHECK_AT(EditorInfo, Options, 48);
CHECK_AT(EditorInfo, TabSize, 52);
CHECK_AT(EditorInfo, BookMarkCount, 56);
CHECK_AT(EditorInfo, CurState, 60);
CHECK_AT(EditorInfo, CodePage, 64);
CHECK_AT(EditorInfo, WindowX, 68);
CHECK_AT(EditorInfo, WindowY, 72);
CHECK_AT(EditorInfo, Reserved, 76);

CHECK_SIZE(EditorGetString, 32);
CHECK_AT(EditorGetString, StringNumber, 0);
CHECK_AT(EditorGetString, StringText, 4);
CHECK_AT(EditorGetString, StringEOL, 12);
CHECK_AT(EditorGetString, StringLength, 20);
CHECK_AT(EditorGetString, SelStart, 24);
CHECK_AT(EditorGetString, SelEnd, 28);

CHECK_SIZE(EditorSetString, 24);
CHECK_AT(EditorSetString, StringNumber, 0);
CHECK_AT(EditorSetString, StringText, 4);
CHECK_AT(EditorSetString, StringEOL, 12);
CHECK_AT(EditorSetString, StringLength, 20);

CHECK_SIZE(EditorSetPosition, 24);
CHECK_AT(EditorSetPosition, CurLine, 0);
CHECK_AT(EditorSetPosition, CurPos, 4);
CHECK_AT(EditorSetPosition, CurTabPos, 8);
CHECK_AT(EditorSetPosition, TopScreenLine, 12);
CHECK_AT(EditorSetPosition, LeftPos, 16);
CHECK_AT(EditorSetPosition, Overtype, 20);

CHECK_SIZE(EditorUndoRedo, 28);
CHECK_AT(EditorUndoRedo, Command, 0);
CHECK_AT(EditorUndoRedo, Reserved, 4);

CHECK_SIZE(FarMenuItem, 20);
CHECK_AT(FarMenuItem, Text, 0);
CHECK_AT(FarMenuItem, Selected, 8);
CHECK_AT(FarMenuItem, Checked, 12);
CHECK_AT(FarMenuItem, Separator, 16);

CHECK_SIZE(FarDialogItem, 56);
CHECK_AT(FarDialogItem, Type, 0);
CHECK_AT(FarDialogItem, X1, 4);
CHECK_AT(FarDialogItem, Y1, 8);
CHECK_AT(FarDialogItem, X2, 12);
CHECK_AT(FarDialogItem, Y2, 16);
CHECK_AT(FarDialogItem, Focus, 20);
CHECK_AT(FarDialogItem, Selected, 24);
CHECK_AT(FarDialogItem, History, 24);
CHECK_AT(FarDialogItem, Flags, 32);
CHECK_AT(FarDialogItem, DefaultButton, 36);
CHECK_AT(FarDialogItem, PtrData, 40);
CHECK_AT(FarDialogItem, MaxLen, 48);

CHECK_SIZE(FarDialogItemData, 16);
CHECK_AT(FarDialogItemData, PtrLength, 0);
CHECK_AT(FarDialogItemData, PtrData, 8);

CHECK_SIZE(KEY_EVENT_RECORD, 20);
CHECK_AT(KEY_EVENT_RECORD, bKeyDown, 0);
CHECK_AT(KEY_EVENT_RECORD, wRepeatCount, 4);
CHECK_AT(KEY_EVENT_RECORD, wVirtualKeyCode, 6);
CHECK_AT(KEY_EVENT_RECORD, wVirtualScanCode, 8);
CHECK_AT(KEY_EVENT_RECORD, uChar, 12);
CHECK_AT(KEY_EVENT_RECORD, dwControlKeyState, 16);

CHECK_SIZE(INPUT_RECORD, 32);
CHECK_AT(INPUT_RECORD, EventType, 0);
CHECK_AT(INPUT_RECORD, Event, 8);

#undef CHECK_SIZE
#undef CHECK_AT

}  // namespace
