// The editor engine: loading and saving, and the text operations that the
// editor's keys (editor_keys.cpp) and its commands (editor_control.cpp) share.
#include "host/editor.hpp"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <utility>

#include "host/editor_impl.hpp"

namespace host {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsValidEol(std::string_view eol) {
    return eol == "\r\n" || eol == "\n" || eol == "\r" || eol.empty();
}

namespace {

// Splits file bytes into lines: CR LF, LF and a lone CR each end a line;
// what follows the last end-of-line (maybe nothing) is the last line.
std::vector<Line> SplitLines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') continue;
        const std::size_t eolLength = (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        lines.push_back({std::string(bytes.substr(start, i - start)),
                         std::string(bytes.substr(i, eolLength))});
        i += eolLength - 1;
        start = i + 1;
    }
    lines.push_back({std::string(bytes.substr(start)), ""});
    return lines;
}

// The blanks that the auto-indent types into a new line to reach `column`:
// those of the line the column came from, one by one, while they stay
// within it, then spaces.
std::string IndentTextOf(std::string_view sourceBlanks, int column, int tabSize) {
    std::string indent;
    int at = 0;
    for (const char c : sourceBlanks) {
        const int next = c == '\t' ? (at / tabSize + 1) * tabSize : at + 1;
        if (next > column) break;
        indent += c;
        at = next;
    }
    indent.append(static_cast<std::size_t>(std::max(0, column - at)), ' ');
    return indent;
}

}  // namespace

// ---------------------------------------------------------------------------
// Text operations
// ---------------------------------------------------------------------------

Editor::Impl::Impl(std::string name, std::string_view bytes, CodePage page, EditorOptions opts)
    : fileName(std::move(name)), lines(SplitLines(bytes)), table(page), options(opts) {
    options.tabSize = std::max(1, options.tabSize);
    CheckInvariant();
}

std::string Editor::Impl::DefaultEol() const {
    const std::string& first = lines.At(0).eol;
    return first.empty() ? "\r\n" : first;
}

int Editor::Impl::TabPos(int n, int pos) const {
    const std::string& text = lines.At(n).text;
    const int inText = std::min<int>(pos, static_cast<int>(text.size()));
    long long column = 0;
    for (int i = 0; i < inText; ++i)
        column = text[i] == '\t' ? (column / options.tabSize + 1) * options.tabSize : column + 1;
    return ClampColumn(column + (pos - inText));
}

int Editor::Impl::PosOfTabPos(int n, int tabPos) const {
    const std::string& text = lines.At(n).text;
    long long column = 0;
    int i = 0;
    for (; i < static_cast<int>(text.size()); ++i) {
        const long long next =
            text[i] == '\t' ? (column / options.tabSize + 1) * options.tabSize : column + 1;
        if (next > tabPos) return i;
        column = next;
    }
    return ClampColumn(i + (tabPos - column));
}

std::string Editor::Impl::IndentText(std::string_view sourceBlanks, int column) const {
    return IndentTextOf(sourceBlanks, column, options.tabSize);
}

void Editor::Impl::SetCursor(int line, int pos) {
    curLine = std::clamp(line, 0, lines.Count() - 1);
    curPos = std::clamp(pos, 0, ColumnLimit());
}

void Editor::Impl::FillToCursor() {
    std::string& text = Cur().text;
    if (static_cast<int>(text.size()) < curPos) {
        text.append(static_cast<std::size_t>(curPos) - text.size(), ' ');
        modified = true;
    }
}

int Editor::Impl::AutoIndentSource(int n) const {
    for (int k = n; k >= 0; --k) {
        const std::string& text = lines.At(k).text;
        if (text.find_first_not_of(" \t") != std::string::npos) return k;
    }
    return -1;
}

void Editor::Impl::BreakLine(bool autoIndent) {
    std::string upperEol = DefaultEol();  // before line 0 may give up its own below
    Line& line = Cur();
    const std::size_t cut = std::min<std::size_t>(static_cast<std::size_t>(curPos), line.text.size());
    if (!autoIndent && cut == 0 && !line.text.empty()) {
        // The whole line moves down: open an empty line above instead of
        // copying the text, so that repeated Enter at the start stays cheap.
        lines.Insert(curLine, Line{"", std::move(upperEol)});
        ++curLine;
        curPos = 0;
        modified = true;
        return;
    }

    // The auto-indent column: that of the first non-blank of the cursor's
    // line, or of the nearest line above that has one; blanks before the
    // cursor go down with the rest and count towards it.
    int column = 0;
    std::string sourceBlanks;
    if (autoIndent) {
        if (const int source = AutoIndentSource(curLine); source >= 0) {
            const std::string& text = lines.At(source).text;
            const std::size_t first = text.find_first_not_of(" \t");
            column = TabPos(source, static_cast<int>(first));
            sourceBlanks = text.substr(0, first);
        }
        if (line.text.find_first_not_of(" \t") >= cut) column = std::max(0, column - TabPos(curLine, static_cast<int>(cut)));
    }

    Line lower{line.text.substr(cut), std::move(line.eol)};
    line.text.erase(cut);
    line.eol = std::move(upperEol);
    int pos = 0;
    if (autoIndent) {
        // Nothing but blanks moves down: the line that stays loses its trailing blanks.
        if (lower.text.find_first_not_of(" \t") == std::string::npos) {
            const std::size_t end = line.text.find_last_not_of(" \t");
            line.text.erase(end == std::string::npos ? 0 : end + 1);
        }
        if (lower.text.empty()) {
            pos = column;  // an empty line gets no blanks: the cursor stands beyond its end
        } else {
            const std::string indent = IndentText(sourceBlanks, column);
            lower.text.insert(0, indent);
            pos = static_cast<int>(indent.size());
        }
    }
    lines.Insert(curLine + 1, std::move(lower));
    ++curLine;
    curPos = std::min(pos, ColumnLimit());
    modified = true;
}

bool Editor::Impl::JoinNext(int n, int padTo) {
    if (n + 1 >= lines.Count()) return false;
    Line& upper = lines.At(n);
    Line& lower = lines.At(n + 1);
    if (static_cast<int>(upper.text.size()) < padTo)
        upper.text.append(static_cast<std::size_t>(padTo) - upper.text.size(), ' ');
    upper.text += lower.text;
    upper.eol = std::move(lower.eol);
    lines.Erase(n + 1);
    modified = true;
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
        const auto run = std::min<std::size_t>(end - i, static_cast<std::size_t>(std::max(0, ColumnLimit() - curPos)));
        Cur().text.insert(static_cast<std::size_t>(curPos), text.substr(i, run));
        curPos += static_cast<int>(run);
        modified = true;
        i = end;
    }
}

void Editor::Impl::TypeChar(char c, int count) {
    count = std::min(count, ColumnLimit() - curPos);
    if (count <= 0) return;
    FillToCursor();
    std::string& text = Cur().text;
    const auto pos = static_cast<std::size_t>(curPos);
    const std::size_t over = overtype ? std::min(text.size() - pos, static_cast<std::size_t>(count)) : 0;
    text.replace(pos, over, static_cast<std::size_t>(count), c);
    curPos += count;
    modified = true;
}

void Editor::Impl::DeleteChar() {
    std::string& text = Cur().text;
    if (curPos < static_cast<int>(text.size())) {
        text.erase(static_cast<std::size_t>(curPos), 1);
        modified = true;
    } else {
        JoinNext(curLine, curPos);
    }
}

void Editor::Impl::DeleteWordRight() {
    std::string& text = Cur().text;
    const int length = static_cast<int>(text.size());
    if (curPos >= length) {
        JoinNext(curLine, curPos);
        return;
    }
    int end = curPos;
    while (end < length && !IsBlank(text[end])) ++end;
    while (end < length && IsBlank(text[end])) ++end;
    text.erase(static_cast<std::size_t>(curPos), static_cast<std::size_t>(end - curPos));
    modified = true;
}

void Editor::Impl::Backspace() {
    if (curPos == 0) {
        if (curLine == 0) return;
        const int joinAt = static_cast<int>(lines.At(curLine - 1).text.size());
        JoinNext(curLine - 1, 0);
        --curLine;
        curPos = joinAt;
        return;
    }
    std::string& text = Cur().text;
    if (curPos <= static_cast<int>(text.size())) {
        text.erase(static_cast<std::size_t>(curPos - 1), 1);
        modified = true;
    }
    --curPos;
}

void Editor::Impl::DeleteWordLeft() {
    if (curPos == 0) {
        Backspace();
        return;
    }
    std::string& text = Cur().text;
    int end = std::min<int>(curPos, static_cast<int>(text.size()));
    int start = end;
    while (start > 0 && IsBlank(text[start - 1])) --start;
    while (start > 0 && !IsBlank(text[start - 1])) --start;
    if (start < end) {
        text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
        modified = true;
    }
    curPos = start;
}

void Editor::Impl::DeleteLine() {
    if (lines.Count() == 1) {
        lines.At(0) = Line{};
    } else {
        const bool last = curLine == lines.Count() - 1;
        lines.Erase(curLine);
        if (last) --curLine;
    }
    modified = true;
}

void Editor::Impl::ScrollToCursor() {
    const int rows = std::max(1, options.windowHeight);
    const int columns = std::max(1, options.windowWidth);
    topLine = std::clamp(topLine, 0, lines.Count() - 1);
    if (curLine < topLine) topLine = curLine;
    if (curLine >= topLine + rows) topLine = curLine - rows + 1;
    const int tabPos = TabPos(curLine, curPos);
    if (tabPos < leftPos) leftPos = tabPos;
    if (tabPos >= leftPos + columns) leftPos = tabPos - columns + 1;
}

void Editor::Impl::CheckInvariant() const {
#ifndef NDEBUG
    const int count = lines.Count();
    assert(count >= 1);
    assert(curLine >= 0 && curLine < count);
    assert(curPos >= 0);
    // The lines around the cursor always; the whole document only when it is
    // small, so that debug builds stay linear on long documents.
    const int from = count <= 1000 ? 0 : std::max(0, curLine - 2);
    const int to = count <= 1000 ? count : std::min(count, curLine + 3);
    for (int n = from; n < to; ++n) {
        const std::string& eol = lines.At(n).eol;
        assert(IsValidEol(eol));
        assert(!eol.empty() || n == count - 1);
        (void)eol;
    }
#endif
}

// ---------------------------------------------------------------------------
// Editor
// ---------------------------------------------------------------------------

Editor::Editor(std::string fileName, std::string_view bytes, CodePage table, EditorOptions options)
    : impl_(std::make_unique<Impl>(std::move(fileName), bytes, table, options)) {}

Editor::~Editor() = default;

const std::string& Editor::FileName() const { return impl_->fileName; }
int Editor::LineCount() const { return impl_->lines.Count(); }

const Line& Editor::LineAt(int n) const {
    assert(n >= 0 && n < LineCount());
    static const Line kNoLine;  // a release build reads an empty line rather than stray memory
    if (n < 0 || n >= LineCount()) return kNoLine;
    return impl_->lines.At(n);
}

std::string Editor::Bytes() const {
    std::size_t size = 0;
    for (int n = 0; n < LineCount(); ++n) size += LineAt(n).text.size() + LineAt(n).eol.size();
    std::string bytes;
    bytes.reserve(size);
    for (int n = 0; n < LineCount(); ++n) {
        bytes += LineAt(n).text;
        bytes += LineAt(n).eol;
    }
    return bytes;
}

bool Editor::Modified() const { return impl_->modified; }
void Editor::MarkSaved() { impl_->modified = false; }

CodePage Editor::Table() const { return impl_->table; }
void Editor::SetTable(CodePage table) { impl_->table = table; }

int Editor::CurLine() const { return impl_->curLine; }
int Editor::CurPos() const { return impl_->curPos; }

void Editor::SetCursor(int line, int pos) {
    impl_->SetCursor(line, pos);
    impl_->ScrollToCursor();
}

bool Editor::Overtype() const { return impl_->overtype; }
int Editor::TopLine() const { return impl_->topLine; }
int Editor::LeftPos() const { return impl_->leftPos; }
const EditorOptions& Editor::Options() const { return impl_->options; }

void Editor::SetWindowSize(int width, int height) {
    impl_->options.windowWidth = std::max(1, width);
    impl_->options.windowHeight = std::max(1, height);
    impl_->ScrollToCursor();
}

void Editor::SetPluginInput(PluginInput input) { impl_->pluginInput = std::move(input); }

void Editor::FeedInput(const INPUT_RECORD& record) {
    Impl& e = *impl_;
    // A plug-in that fed a key for every key it is offered must not recurse
    // without end: past this depth the editor takes the record itself.
    constexpr int kMaxFeedDepth = 16;
    if (e.pluginInput && e.feedDepth < kMaxFeedDepth) {
        ++e.feedDepth;
        int consumed = 0;
        try {
            consumed = e.pluginInput(record);
        } catch (...) {
            --e.feedDepth;
            throw;
        }
        --e.feedDepth;
        if (consumed != 0) return;
    }
    ProcessInput(record);
}

const std::vector<ControlCall>& Editor::Log() const { return impl_->log; }
void Editor::ClearLog() { impl_->log.clear(); }
int Editor::RedrawCount() const { return impl_->redrawCount; }

}  // namespace host
