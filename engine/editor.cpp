// The editor engine: loading and saving, the primitives that every change of
// the text goes through, and the text operations that the editor's commands
// (editor_commands.cpp) and a plug-in's (editor_plugin.cpp) share.
#include "engine/editor.hpp"

#include <algorithm>
#include <cassert>
#include <utility>

#include "engine/editor_impl.hpp"

namespace engine {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

namespace {

// The blanks that the auto-indent types into a new line to reach `column`:
// those of the line the column came from, one by one, while they stay
// within it, then spaces.
std::string IndentTextOf(std::string_view sourceBlanks, int column, int tabSize) {
    std::string indent;
    int at = 0;
    for (const char c : sourceBlanks) {
        const int next = c == '\t' ? static_cast<int>(NextTabStop(at, tabSize)) : at + 1;
        if (next > column) break;
        indent += c;
        at = next;
    }
    indent.append(static_cast<std::size_t>(std::max(0, column - at)), ' ');
    return indent;
}

}  // namespace

Editor::Impl::Impl(std::string name, std::string bytes, CodePage page, EditorOptions opts)
    : fileName(std::move(name)),
      history(std::move(bytes), {[this] { return Cursor(); }, [this] { return PlainTyping(); }}),
      lines(history.Lines()),
      table(page),
      options(opts) {
    options.tabSize = std::max(1, options.tabSize);
    CheckInvariant();
}

TextPosition Editor::Impl::Clamp(TextPosition p) const {
    const int line = std::clamp(p.line, 0, LastLine());
    return {line, CharStart(line, std::clamp(p.byteColumn, 0, Length(line)))};
}

// ---------------------------------------------------------------------------
// Primitives: every change of the text, handed to the history
// ---------------------------------------------------------------------------

void Editor::Impl::SetLineEol(int n, Eol eol) {
    if (EolAt(n) == eol) return;
    block.reset();
    history.SetEol(n, eol);
}

// ---------------------------------------------------------------------------
// Text operations
// ---------------------------------------------------------------------------

Eol Editor::Impl::DefaultEol() const {
    const Eol first = EolAt(0);
    return first == Eol::None ? Eol::CrLf : first;
}

int Editor::Impl::MultiByteCharStart(int n, int pos) const {
    return static_cast<int>(CharStartAt(table, Text(n), static_cast<std::size_t>(pos)));
}

std::string Editor::Impl::IndentText(std::string_view sourceBlanks, int column) const {
    return IndentTextOf(sourceBlanks, column, options.tabSize);
}

void Editor::Impl::SetCursor(int line, int pos) {
    curLine = std::clamp(line, 0, LastLine());
    curPos = CharStart(curLine, std::clamp(pos, 0, ColumnLimit()));
}

void Editor::Impl::FillToCursor() {
    const int length = CurLength();
    if (length < curPos)
        Change().Splice(curLine, static_cast<std::size_t>(length), 0, {},
                        static_cast<std::size_t>(curPos - length));
}

int Editor::Impl::AutoIndentSource(int n) const {
    for (int k = n; k >= 0; --k) {
        if (Text(k).find_first_not_of(" \t") != std::string_view::npos) return k;
    }
    return -1;
}

void Editor::Impl::BreakLine(bool autoIndent) {
    const Eol upperEol = DefaultEol();  // before line 0 may give up its own below
    const std::size_t length = lines.At(curLine).Size();
    const std::size_t cut = std::min<std::size_t>(static_cast<std::size_t>(curPos), length);
    if (!autoIndent && cut == 0 && length != 0) {
        // The whole line moves down: open an empty line above instead of
        // copying the text, so that repeated Enter at the start stays cheap.
        Change().Insert(curLine, {}, upperEol);
        ++curLine;
        curPos = 0;
        return;
    }

    // The auto-indent column: that of the first non-blank of the cursor's
    // line, or of the nearest line above that has one.
    int column = 0;
    std::string sourceBlanks;
    if (autoIndent) {
        if (const int source = AutoIndentSource(curLine); source >= 0) {
            const std::string_view text = Text(source);
            const std::size_t first = text.find_first_not_of(" \t");
            column = TabPos(source, static_cast<int>(first));
            sourceBlanks = text.substr(0, first);
        }
    }

    std::string lower(Text(curLine).substr(cut));
    const Eol lowerEol = EolAt(curLine);
    if (!autoIndent || lower.empty()) {
        // Without auto-indent the rest moves down as it is. With it and
        // nothing after the cursor, the line above stays exactly as it was
        // (trailing blanks too) and only the cursor goes to the column.
        if (cut < length) Change().Splice(curLine, cut, length - cut, {});
        SetLineEol(curLine, upperEol);
        Change().Insert(curLine + 1, lower, lowerEol);
        ++curLine;
        curPos = std::min(column, ColumnLimit());
        return;
    }

    // Blanks before the cursor go down with the rest and count towards the
    // column; the indent is typed in front of what moves down.
    const bool blanksBefore = Text(curLine).find_first_not_of(" \t") >= cut;
    const int typedColumn =
        blanksBefore ? std::max(0, column - TabPos(curLine, static_cast<int>(cut))) : column;
    const std::string indent = IndentText(sourceBlanks, typedColumn);
    const std::size_t text = lower.find_first_not_of(" \t");
    std::size_t upperEnd = cut;
    if (text == std::string::npos) {
        // Nothing but blanks moves down: the line that stays loses its trailing blanks.
        const std::size_t end = Text(curLine).substr(0, cut).find_last_not_of(" \t");
        upperEnd = end == std::string_view::npos ? 0 : end + 1;
    }
    lower.insert(0, indent);
    if (upperEnd < length) Change().Splice(curLine, upperEnd, length - upperEnd, {});
    SetLineEol(curLine, upperEol);
    Change().Insert(curLine + 1, lower, lowerEol);
    ++curLine;
    // The cursor stands at the indent column, but not past the first
    // non-blank that moved down (nor past the indent when only blanks did).
    const std::size_t cap = indent.size() + (text == std::string::npos ? 0 : text);
    curPos = std::min(PosOfTabPos(curLine, column), ClampColumn(static_cast<long long>(cap)));
}

bool Editor::Impl::JoinNext(int n, int padTo) {
    if (n + 1 >= lines.Count()) return false;
    const std::size_t length = lines.At(n).Size();
    const std::size_t pad =
        padTo > static_cast<int>(length) ? static_cast<std::size_t>(padTo) - length : 0;
    if (pad != 0) Change().Splice(n, length, 0, {}, pad);
    // The lower line's text stays where it is while line n changes.
    Change().Splice(n, length + pad, 0, Text(n + 1));
    SetLineEol(n, EolAt(n + 1));
    Change().Erase(n + 1);
    return true;
}

void Editor::Impl::InsertText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\r' || text[i] == '\n') {
            BreakLine(false);
            i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        FillToCursor();
        const auto run = std::min<std::size_t>(
            end - i, static_cast<std::size_t>(std::max(0, ColumnLimit() - curPos)));
        Change().Splice(curLine, static_cast<std::size_t>(curPos), 0, text.substr(i, run));
        curPos += static_cast<int>(run);
        i = end;
    }
}

void Editor::Impl::TypeChar(TableChar typed, int count) {
    const std::string_view bytes = typed.Bytes();
    const int width = static_cast<int>(bytes.size());
    count = std::min(count, (ColumnLimit() - curPos) / width);
    if (count <= 0) return;
    FillToCursor();
    const auto pos = static_cast<std::size_t>(curPos);
    const std::string_view text = Text(curLine);
    // Overtype replaces as many characters as it types, whatever their bytes.
    std::size_t over = 0;
    for (int k = 0; overtype && k < count && pos + over < text.size(); ++k)
        over += CharLength(table, text, pos + over);
    if (width == 1) {
        Change().Splice(curLine, pos, over, {}, static_cast<std::size_t>(count), bytes[0]);
    } else {
        std::string run;
        run.reserve(bytes.size() * static_cast<std::size_t>(count));
        for (int k = 0; k < count; ++k) run += bytes;
        Change().Splice(curLine, pos, over, run);
    }
    curPos += count * width;
}

void Editor::Impl::DeleteChar() {
    if (curPos < CurLength())
        Change().Splice(curLine, static_cast<std::size_t>(curPos),
                        CharLength(table, Text(curLine), static_cast<std::size_t>(curPos)), {});
    else
        JoinNext(curLine, curPos);
}

void Editor::Impl::DeleteWordRight() {
    if (curPos >= CurLength()) {
        JoinNext(curLine, curPos);
        return;
    }
    const int end = WordEndFrom(curLine, curPos);
    Change().Splice(curLine, static_cast<std::size_t>(curPos),
                    static_cast<std::size_t>(end - curPos), {});
}

void Editor::Impl::Backspace() {
    if (curPos == 0) {
        if (curLine == 0) return;
        const int joinAt = Length(curLine - 1);
        JoinNext(curLine - 1, 0);
        --curLine;
        curPos = joinAt;
        return;
    }
    if (curPos > CurLength()) {
        --curPos;  // beyond the end there is only the blank the cursor stands after
        return;
    }
    const auto start = CharStartBefore(table, Text(curLine), static_cast<std::size_t>(curPos));
    Change().Splice(curLine, start, static_cast<std::size_t>(curPos) - start, {});
    curPos = static_cast<int>(start);
}

void Editor::Impl::DeleteWordLeft() {
    if (curPos == 0) {
        Backspace();
        return;
    }
    const int end = std::min(curPos, CurLength());
    const int start = WordStartBefore(curLine, end);
    if (start < end)
        Change().Splice(curLine, static_cast<std::size_t>(start),
                        static_cast<std::size_t>(end - start), {});
    curPos = start;
}

void Editor::Impl::DeleteLine() {
    if (lines.Count() == 1) {
        Change().SetText(0, {});
        SetLineEol(0, Eol::None);
    } else {
        const bool last = curLine == LastLine();
        Change().Erase(curLine);
        if (last) --curLine;
    }
}

void Editor::Impl::DeleteLineByKey() {
    if (curLine == LastLine()) {
        if (CurLength() != 0) Change().SetText(curLine, {});
        curPos = 0;
        return;
    }
    DeleteLine();
}

void Editor::Impl::ScrollToCursor() {
    const int rows = std::max(1, options.windowHeight);
    const int columns = std::max(1, options.windowWidth);
    topLine = std::clamp(topLine, 0, LastLine());
    if (curLine < topLine) topLine = curLine;
    if (curLine >= topLine + rows) topLine = curLine - rows + 1;
    // Across, the window moves only when the cursor leaves it: back to the
    // first column when the cursor is within the first screen width, else
    // just far enough.
    const int tabPos = TabPos(curLine, curPos);
    if (tabPos < leftPos || tabPos >= leftPos + columns)
        leftPos = tabPos < columns ? 0 : tabPos < leftPos ? tabPos : tabPos - columns + 1;
}

void Editor::Impl::CheckInvariant() const {
#ifndef NDEBUG
    const int count = lines.Count();
    assert(count >= 1);
    assert(curLine >= 0 && curLine < count);
    assert(curPos >= 0);
    assert(curPos == CharStart(curLine, curPos));
    // The lines around the cursor always; the whole document only when it is
    // small, so that debug builds stay linear on long documents.
    const int from = count <= 1000 ? 0 : std::max(0, curLine - 2);
    const int to = count <= 1000 ? count : std::min(count, curLine + 3);
    for (int n = from; n < to; ++n) {
        const StoredLine& line = lines.At(n);
        assert(line.GetEol() != Eol::None || n == count - 1);
        assert(line.Data()[line.Size()] == '\0');
        (void)line;
    }
    if (block) {
        assert(block->start < block->end);
        assert(Clamp(block->start) == block->start && Clamp(block->end) == block->end);
    }
    history.CheckInvariant();
#endif
}

// ---------------------------------------------------------------------------
// Editor
// ---------------------------------------------------------------------------

Editor::Editor(std::string fileName, std::string bytes, CodePage table, EditorOptions options)
    : impl_(std::make_unique<Impl>(std::move(fileName), std::move(bytes), table, options)) {}

Editor::~Editor() = default;

const std::string& Editor::FileName() const { return impl_->fileName; }
void Editor::SetFileName(std::string fileName) { impl_->fileName = std::move(fileName); }
int Editor::LineCount() const { return impl_->lines.Count(); }

LineView Editor::LineAt(int n) const {
    assert(n >= 0 && n < LineCount());
    if (n < 0 || n >= LineCount())
        return {};  // a release build reads an empty line rather than stray memory
    const StoredLine& line = impl_->lines.At(n);
    return {line.Text(), EolText(line.GetEol())};
}

bool Editor::WriteTo(const std::function<bool(std::string_view)>& write) const {
    // Lines are gathered into pieces of this size; a longer line goes out alone.
    constexpr std::size_t kPiece = std::size_t{1} << 16;
    std::string piece;
    piece.reserve(kPiece);
    for (int n = 0; n < LineCount(); ++n) {
        const StoredLine& line = impl_->lines.At(n);
        const std::string_view text = line.Text();
        const std::string_view eol = EolText(line.GetEol());
        if (piece.size() + text.size() + eol.size() > kPiece && !piece.empty()) {
            if (!write(piece)) return false;
            piece.clear();
        }
        if (text.size() >= kPiece) {
            if (!write(text)) return false;
        } else {
            piece += text;
        }
        piece += eol;
    }
    return piece.empty() || write(piece);
}

std::string Editor::Bytes() const {
    std::size_t size = 0;
    for (int n = 0; n < LineCount(); ++n)
        size += impl_->lines.At(n).Size() + EolText(impl_->lines.At(n).GetEol()).size();
    std::string bytes;
    bytes.reserve(size);
    WriteTo([&bytes](std::string_view piece) {
        bytes += piece;
        return true;
    });
    return bytes;
}

CodePage Editor::Table() const { return impl_->table; }
void Editor::SetTable(CodePage table) {
    Impl& e = *impl_;
    e.table = table;
    // Read in UTF-8, the bytes around the cursor and the block's ends may
    // be the middle of a character now.
    e.KeepCursorOnCharacter();
    if (e.block) e.SetBlock(e.block->start, e.block->end);
    e.ScrollToCursor();
    e.CheckInvariant();
}

int Editor::CurLine() const { return impl_->curLine; }
int Editor::CurPos() const { return impl_->curPos; }

void Editor::SetCursor(int line, int pos) {
    impl_->SetCursor(line, pos);
    impl_->ScrollToCursor();
}

LineColumns Editor::Columns(int n) const {
    assert(n >= 0 && n < LineCount());
    return impl_->ColumnsOf(std::clamp(n, 0, impl_->LastLine()));
}

ScreenColumn Editor::CursorScreenColumn() const {
    return ScreenColumn(impl_->TabPos(impl_->curLine, impl_->curPos));
}

Editor::Status Editor::CurrentStatus() const {
    const Impl& e = *impl_;
    return {e.lines.Count(), e.curLine,
            e.curPos,        ScreenColumn(e.TabPos(e.curLine, e.curPos)),
            e.topLine,       ScreenColumn(e.leftPos),
            e.overtype,      e.block ? std::optional<int>(e.block->start.line) : std::nullopt};
}

TypedPosition Editor::TypedCursor() const {
    const Impl& e = *impl_;
    return {LineNumber(e.curLine + 1),
            ColumnNumber(ClampColumn(1LL + e.TabPos(e.curLine, e.curPos)))};
}

void Editor::GoTo(TypedPosition place) {
    Impl& e = *impl_;
    const int line = std::clamp(place.line.Value(), 1, LineCount()) - 1;
    e.curLine = line;
    e.curPos =
        std::clamp(e.PosOfTabPos(line, std::max(0, place.column.Value() - 1)), 0, e.ColumnLimit());
    // A line off the window goes to its top, but the window never passes the
    // point where the last line stands on its bottom row.
    const int rows = std::max(1, e.options.windowHeight);
    if (line < e.topLine || line >= e.topLine + rows)
        e.topLine = std::min(line, std::max(0, LineCount() - rows));
    e.ScrollToCursor();
}

bool Editor::Overtype() const { return impl_->overtype; }
int Editor::TopLine() const { return impl_->topLine; }
ScreenColumn Editor::LeftPos() const { return ScreenColumn(impl_->leftPos); }
const EditorOptions& Editor::Options() const { return impl_->options; }

void Editor::SetWindowSize(int width, int height) {
    impl_->options.windowWidth = std::max(1, width);
    impl_->options.windowHeight = std::max(1, height);
    impl_->ScrollToCursor();
}

}  // namespace engine
