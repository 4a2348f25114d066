#include "host/ansi/ansi_editor.hpp"

#include <algorithm>
#include <optional>
#include <string>

#include "host/key_input.hpp"

namespace host {

namespace {

// The line a command names: -1 is the cursor's line; -2 when none exists.
int ResolveLine(const engine::Editor& e, int number) {
    if (number == -1) return e.CurLine();
    if (number < 0 || number >= e.LineCount()) return -2;
    return number;
}

int GetInfo(const engine::Editor& e, EditorInfo* info) {
    if (!info) return 0;
    *info = EditorInfo{};
    const engine::EditorOptions& options = e.Options();
    const engine::Editor::Status status = e.CurrentStatus();
    info->EditorID = 1;
    info->FileName = e.FileName().c_str();
    info->WindowSizeX = options.windowWidth;
    info->WindowSizeY = options.windowHeight;
    info->TotalLines = status.lineCount;
    info->CurLine = status.curLine;
    info->CurPos = status.curPos;
    info->CurTabPos = status.curScreenColumn.Value();
    info->TopScreenLine = status.topLine;
    info->LeftPos = status.leftPos.Value();
    info->Overtype = status.overtype ? 1 : 0;
    info->BlockType = status.blockStartLine ? BTYPE_STREAM : BTYPE_NONE;
    info->BlockStartLine = status.blockStartLine.value_or(0);
    // -1 for the OEM table; the ANSI table is number 0, the custom tables follow.
    info->TableNum = engine::RecordOf(e.Table()).tableNum;
    info->AnsiMode = info->TableNum == 0 ? 1 : 0;
    info->Options = EOPT_CURSORBEYONDEOL | (options.autoIndent ? DWORD{EOPT_AUTOINDENT} : DWORD{0});
    info->TabSize = options.tabSize;
    return 1;
}

int GetString(const engine::Editor& e, EditorGetString* get) {
    if (!get) return 0;
    const int n = ResolveLine(e, get->StringNumber);
    if (n < 0) return 0;
    // Both texts of a line are followed by a zero byte: C strings.
    const engine::LineView line = e.LineAt(n);
    get->StringText = line.text.data();
    get->StringEOL = line.eol.data();
    get->StringLength = static_cast<int>(line.text.size());
    const std::optional<engine::LineSelection> selected = e.SelectionOn(n);
    get->SelStart = selected ? selected->from : -1;
    get->SelEnd = selected ? selected->to : 0;
    return 1;
}

int SetString(engine::Editor& e, const EditorSetString* set) {
    if (!set || set->StringLength < 0 || (!set->StringText && set->StringLength > 0)) return 0;
    const int n = ResolveLine(e, set->StringNumber);
    if (n < 0) return 0;
    std::optional<engine::Eol> eol;
    if (set->StringEOL) {
        eol = engine::EolOf(set->StringEOL);
        if (!eol) return 0;
    }
    const std::string_view text =
        set->StringLength > 0
            ? std::string_view(set->StringText, static_cast<std::size_t>(set->StringLength))
            : std::string_view();
    return e.SetLine(n, text, eol) ? 1 : 0;
}

// A non-zero flag lets the editor's own auto-indent act, when that option is
// on; a zero flag or none breaks the line as a paste does.
int InsertString(engine::Editor& e, const int* indent) {
    e.BreakLine(indent && *indent != 0);
    return 1;
}

// -1 leaves a field as it is.
std::optional<int> Field(int value) {
    return value != -1 ? std::optional<int>(value) : std::nullopt;
}

int SetPosition(engine::Editor& e, const EditorSetPosition* pos) {
    if (!pos) return 0;
    engine::Editor::PositionChange change;
    change.line = Field(pos->CurLine);
    change.byteColumn = Field(pos->CurPos);
    if (pos->CurTabPos != -1) change.screenColumn = engine::ScreenColumn(pos->CurTabPos);
    change.topLine = Field(pos->TopScreenLine);
    change.leftPos = Field(pos->LeftPos);
    if (pos->Overtype != -1) change.overtype = pos->Overtype != 0;
    e.SetPosition(change);
    return 1;
}

int Convert(const engine::Editor& e, const EditorConvertText* convert, bool toOem) {
    if (!convert || !convert->Text || convert->TextLength < 0) return 0;
    const auto length = static_cast<std::size_t>(convert->TextLength);
    if (toOem)
        engine::TableToOem(e.Table(), convert->Text, length);
    else
        engine::OemToTable(e.Table(), convert->Text, length);
    return 1;
}

}  // namespace

AnsiEditor::AnsiEditor(engine::Editor& editor) : editor_(editor) {}

int AnsiEditor::Control(int command, void* param) {
    // What a plug-in changes is part of the step of the record it handles;
    // a command that only reads changes nothing, and opens no step.
    const bool reads = command == ECTL_GETINFO || command == ECTL_GETSTRING ||
                       command == ECTL_REDRAW || command == ECTL_EDITORTOOEM ||
                       command == ECTL_OEMTOEDITOR;
    std::optional<engine::Editor::PluginChanges> changes;
    if (!reads) changes.emplace(editor_);
    int line = -1;
    if (param && (command == ECTL_GETSTRING || command == ECTL_SETSTRING)) {
        line = command == ECTL_GETSTRING ? static_cast<EditorGetString*>(param)->StringNumber
                                         : static_cast<EditorSetString*>(param)->StringNumber;
    }
    // The entry is made before the command runs, so that the commands of a
    // nested call (a fed-back key offered to the plug-ins) follow it in order.
    const std::size_t entry = log_.size();
    log_.push_back({command, line, 0});
    const int result = Run(command, param);
    log_[entry].result = result;
    return result;
}

int AnsiEditor::Run(int command, void* param) {
    engine::Editor& e = editor_;
    switch (command) {
    case ECTL_GETINFO: return GetInfo(e, static_cast<EditorInfo*>(param));
    case ECTL_GETSTRING: return GetString(e, static_cast<EditorGetString*>(param));
    case ECTL_SETSTRING: return SetString(e, static_cast<EditorSetString*>(param));
    case ECTL_INSERTSTRING: return InsertString(e, static_cast<const int*>(param));
    case ECTL_DELETESTRING: e.DeleteLine(); return 1;
    case ECTL_DELETECHAR: e.DeleteChar(); return 1;
    case ECTL_INSERTTEXT:
        if (!param) return 0;
        e.InsertText(static_cast<const char*>(param));
        return 1;
    case ECTL_SETPOSITION: return SetPosition(e, static_cast<const EditorSetPosition*>(param));
    case ECTL_REDRAW: ++redrawCount_; return 1;
    case ECTL_EDITORTOOEM: return Convert(e, static_cast<const EditorConvertText*>(param), true);
    case ECTL_OEMTOEDITOR: return Convert(e, static_cast<const EditorConvertText*>(param), false);
    case ECTL_PROCESSINPUT:
        if (!param) return 0;
        FeedInput(*static_cast<const INPUT_RECORD*>(param));
        return 1;
    default: return 0;
    }
}

void AnsiEditor::FeedInput(const INPUT_RECORD& record) {
    // The plug-ins first, a nested call; then the editor, as the user's key.
    if (pluginInput_ && feedGuard_.Offer([&] { return pluginInput_(record); }) != 0) return;
    if (fedBack_)
        fedBack_(ConsoleKey{record, std::nullopt});
    else
        HandleKey(editor_, record);
}

}  // namespace host
