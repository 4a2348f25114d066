// The EditorControl commands, as the file manager's editor answers them to
// a plug-in: each acts on the engine's state (editor_impl.hpp) and is logged.
#include <algorithm>
#include <optional>
#include <string>

#include "engine/editor.hpp"
#include "engine/editor_impl.hpp"

namespace engine {

namespace {

// The line a command names: -1 is the cursor's line; -2 when none exists.
int ResolveLine(const Editor::Impl& e, int number) {
    if (number == -1) return e.curLine;
    if (number < 0 || number >= e.lines.Count()) return -2;
    return number;
}

int GetInfo(Editor::Impl& e, EditorInfo* info) {
    if (!info) return 0;
    *info = EditorInfo{};
    info->EditorID = 1;
    info->FileName = e.fileName.c_str();
    info->WindowSizeX = e.options.windowWidth;
    info->WindowSizeY = e.options.windowHeight;
    info->TotalLines = e.lines.Count();
    info->CurLine = e.curLine;
    info->CurPos = e.curPos;
    info->CurTabPos = e.TabPos(e.curLine, e.curPos);
    info->TopScreenLine = e.topLine;
    info->LeftPos = e.leftPos;
    info->Overtype = e.overtype ? 1 : 0;
    info->BlockType = e.block ? BTYPE_STREAM : BTYPE_NONE;
    info->BlockStartLine = e.block ? e.block->start.line : 0;
    // -1 for the OEM table; the ANSI table is number 0, the custom tables follow.
    info->TableNum = RecordOf(e.table).tableNum;
    info->AnsiMode = info->TableNum == 0 ? 1 : 0;
    info->Options =
        EOPT_CURSORBEYONDEOL | (e.options.autoIndent ? DWORD{EOPT_AUTOINDENT} : DWORD{0});
    info->TabSize = e.options.tabSize;
    return 1;
}

int GetString(Editor::Impl& e, EditorGetString* get) {
    if (!get) return 0;
    const int n = ResolveLine(e, get->StringNumber);
    if (n < 0) return 0;
    // Every line keeps a zero byte after its text, so StringText is terminated too.
    const StoredLine& line = e.lines.At(n);
    get->StringText = line.Data();
    get->StringEOL = EolChars(line.GetEol());
    get->StringLength = static_cast<int>(line.Size());
    const std::optional<LineSelection> selected = e.SelectionOn(n);
    get->SelStart = selected ? selected->from : -1;
    get->SelEnd = selected ? selected->to : 0;
    return 1;
}

int SetString(Editor::Impl& e, const EditorSetString* set) {
    if (!set || set->StringLength < 0 || (!set->StringText && set->StringLength > 0)) return 0;
    const int n = ResolveLine(e, set->StringNumber);
    if (n < 0) return 0;
    std::optional<Eol> eol;
    if (set->StringEOL) {
        eol = EolOf(set->StringEOL);
        if (!eol) return 0;
        // A line inside the document cannot lose its end-of-line without
        // merging with the next one when the file is saved.
        if (*eol == Eol::None && n != e.LastLine()) eol = e.DefaultEol();
    }
    e.SetLineText(
        n, set->StringLength > 0
               ? std::string_view(set->StringText, static_cast<std::size_t>(set->StringLength))
               : std::string_view());
    if (eol) e.SetLineEol(n, *eol);
    return 1;
}

// A non-zero flag lets the editor's own auto-indent act, when that option is
// on; a zero flag or none breaks the line as a paste does.
int InsertString(Editor::Impl& e, const int* indent) {
    e.BreakLine(e.options.autoIndent && indent && *indent != 0);
    return 1;
}

int SetPosition(Editor::Impl& e, const EditorSetPosition* pos) {
    if (!pos) return 0;
    if (pos->CurLine != -1) e.curLine = std::clamp(pos->CurLine, 0, e.lines.Count() - 1);
    if (pos->CurPos != -1)
        e.curPos = e.CharStart(e.curLine, std::clamp(pos->CurPos, 0, e.ColumnLimit()));
    else if (pos->CurTabPos != -1)
        e.curPos = e.PosOfTabPos(e.curLine, std::max(0, pos->CurTabPos));
    if (pos->TopScreenLine != -1)
        e.topLine = std::clamp(pos->TopScreenLine, 0, e.lines.Count() - 1);
    if (pos->LeftPos != -1) e.leftPos = ClampColumn(pos->LeftPos);
    if (pos->Overtype != -1) e.overtype = pos->Overtype != 0;
    e.ScrollToCursor();
    return 1;
}

int Convert(Editor::Impl& e, const EditorConvertText* convert, bool toOem) {
    if (!convert || !convert->Text || convert->TextLength < 0) return 0;
    const auto length = static_cast<std::size_t>(convert->TextLength);
    if (toOem)
        TableToOem(e.table, convert->Text, length);
    else
        OemToTable(e.table, convert->Text, length);
    return 1;
}

}  // namespace

int Editor::Control(int command, void* param) {
    Impl& e = *impl_;
    // What a plug-in changes is part of the step of the record it handles.
    const UndoHistory::Step step(e.history);
    ++e.controlDepth;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{e.controlDepth};
    int line = -1;
    int result = 0;
    // The entry is made before the command runs, so that the commands of a
    // nested call (a fed-back key offered to the plug-ins) follow it in order.
    const std::size_t entry = e.log.size();
    e.log.push_back({command, line, 0});
    switch (command) {
    case ECTL_GETINFO: result = GetInfo(e, static_cast<EditorInfo*>(param)); break;
    case ECTL_GETSTRING:
        if (param) line = static_cast<EditorGetString*>(param)->StringNumber;
        result = GetString(e, static_cast<EditorGetString*>(param));
        break;
    case ECTL_SETSTRING:
        if (param) line = static_cast<EditorSetString*>(param)->StringNumber;
        result = SetString(e, static_cast<EditorSetString*>(param));
        break;
    case ECTL_INSERTSTRING: result = InsertString(e, static_cast<const int*>(param)); break;
    case ECTL_DELETESTRING:
        e.DeleteLine();
        result = 1;
        break;
    case ECTL_DELETECHAR:
        e.DeleteChar();
        result = 1;
        break;
    case ECTL_INSERTTEXT:
        if (param) {
            e.InsertText(static_cast<const char*>(param));
            result = 1;
        }
        break;
    case ECTL_SETPOSITION:
        result = SetPosition(e, static_cast<const EditorSetPosition*>(param));
        break;
    case ECTL_REDRAW:
        ++e.redrawCount;
        result = 1;
        break;
    case ECTL_EDITORTOOEM:
        result = Convert(e, static_cast<const EditorConvertText*>(param), true);
        break;
    case ECTL_OEMTOEDITOR:
        result = Convert(e, static_cast<const EditorConvertText*>(param), false);
        break;
    case ECTL_PROCESSINPUT:
        if (param) {
            FeedInput(*static_cast<const INPUT_RECORD*>(param));
            result = 1;
        }
        break;
    default: break;
    }
    e.KeepCursorOnCharacter();
    if (command != ECTL_GETINFO && command != ECTL_GETSTRING && command != ECTL_REDRAW &&
        command != ECTL_EDITORTOOEM && command != ECTL_OEMTOEDITOR && command != ECTL_SETPOSITION)
        e.ScrollToCursor();
    e.CheckInvariant();
    e.log[entry].line = line;
    e.log[entry].result = result;
    return result;
}

}  // namespace engine
