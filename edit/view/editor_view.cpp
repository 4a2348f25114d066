#include "edit/view/editor_view.hpp"

#include <algorithm>

#include "edit/terminal/screen.hpp"
#include "edit/ui/screen_text.hpp"
#include "edit/view/line_cells.hpp"

namespace edit {
namespace {

using screen::Paint;

std::u32string Ascii(const std::string& text) { return std::u32string(text.begin(), text.end()); }

void DrawKeyBar(const host::Editor& editor, int row) {
    std::string table(host::CodePageName(SwitchedTable(editor.Table())));
    const char* labels[12] = {"Help", "Save", "", "", "", "", "", table.c_str(), "", "Quit", "Plugin", ""};
    int width = screen::Width();
    screen::Fill(row, 0, width, U' ', Paint::KeyLabel);
    // Twelve slots share the whole width, the spare columns spread among them.
    for (int i = 0; i < 12; ++i) {
        int x = i * width / 12, next = (i + 1) * width / 12;
        if (x >= width) break;
        std::u32string number = Ascii(std::to_string(i + 1));
        screen::Put(row, x, number, Paint::KeyNumber);
        std::u32string label = Ascii(labels[i]);
        int room = next - x - static_cast<int>(number.size());
        label.resize(static_cast<std::size_t>(std::max(room, 0)), U' ');
        screen::Put(row, x + static_cast<int>(number.size()), label, Paint::KeyLabel);
    }
}

}  // namespace

int EditorView::TextRows() { return std::max(screen::Height() - 2, 1); }

std::u32string TitleStatus(const host::Editor& editor) {
    std::string status = editor.Modified() ? "*  " : "   ";
    status += host::CodePageName(editor.Table());
    status += "  Line " + std::to_string(editor.CurLine() + 1) + "/" +
              std::to_string(editor.LineCount());
    // The character position, as --at takes it (a tab counts as one).
    status += "  Col " + std::to_string(editor.CurPos() + 1);
    status += editor.Overtype() ? "  Ovr " : "      ";
    return Ascii(status);
}

host::CodePage SwitchedTable(host::CodePage table) {
    return table == host::CodePage::Oem866 ? host::CodePage::Ansi1251 : host::CodePage::Oem866;
}

void EditorView::FollowCursor(int line, int column, int rows, int columns) {
    if (line < top_) top_ = line;
    if (line >= top_ + rows) top_ = line - rows + 1;
    // Scroll across only while the cursor would be off the screen otherwise.
    if (column < columns) left_ = 0;
    if (column < left_) left_ = column;
    if (column >= left_ + columns) left_ = column - columns + 1;
}

EditorView::RowKey EditorView::KeyOf(const host::Editor& editor, int line, int width) const {
    RowKey key;
    if (line >= editor.LineCount()) return key;
    key.line = line;
    const std::string_view text = editor.LineAt(line).text;
    // Every byte takes at least one cell: no byte past this one is seen.
    key.bytes = text.substr(0, static_cast<std::size_t>(left_) + static_cast<std::size_t>(width));
    if (const auto selection = editor.SelectionOn(line)) {
        const int tabSize = editor.Options().tabSize;
        key.selectionFrom = ScreenColumn(text, selection->from, tabSize);
        // Through the end of the line: its line break shows as one cell more.
        key.selectionTo = selection->to < 0 ? ScreenColumn(text, static_cast<int>(text.size()), tabSize) + 1
                                            : ScreenColumn(text, selection->to, tabSize);
    }
    return key;
}

void EditorView::DrawRow(const host::Editor& editor, int row, const RowKey& key, int width) const {
    const int y = row + 1;
    screen::Fill(y, 0, width, U' ', Paint::EditorText);
    if (key.line < 0) return;
    const auto cells = LineCells(key.bytes, editor.Table(), editor.Options().tabSize,
                                 static_cast<std::size_t>(left_ + width));
    for (int x = 0; x < width; ++x) {
        const int column = left_ + x;
        const bool selected = column >= key.selectionFrom && column < key.selectionTo;
        const auto at = static_cast<std::size_t>(column);
        if (at >= cells.size()) {
            if (!selected) break;
            screen::Put(y, x, U' ', Paint::EditorSelected);
            continue;
        }
        const Paint paint = selected           ? Paint::EditorSelected
                            : cells[at].control ? Paint::EditorControl
                                                : Paint::EditorText;
        screen::Put(y, x, cells[at].ch, paint);
    }
}

void EditorView::Draw(const host::Editor& editor, const std::string& name,
                      const std::u32string& status) {
    const int width = screen::Width();
    const int rows = TextRows();
    const int tabSize = editor.Options().tabSize;
    std::string_view current = editor.LineAt(editor.CurLine()).text;
    int cursorColumn = ScreenColumn(current, editor.CurPos(), tabSize);
    FollowCursor(editor.CurLine(), cursorColumn, rows, width);
    top_ = std::clamp(top_, 0, std::max(editor.LineCount() - 1, 0));

    const Frame frame{width, screen::Height(), left_, tabSize, editor.Table()};
    if (!valid_ || frame != frame_) {
        frame_ = frame;
        rows_.assign(static_cast<std::size_t>(rows), RowKey{-2, {}, -1, -1});  // matches no row
        title_.clear();
        DrawKeyBar(editor, screen::Height() - 1);
        valid_ = true;
    }

    // Title line
    std::u32string right = status.empty() ? TitleStatus(editor) : status + U"  " + TitleStatus(editor);
    std::u32string left = U" " + Utf8ToText(name);
    int leftRoom = width - static_cast<int>(right.size()) - 1;
    if (static_cast<int>(left.size()) > leftRoom && leftRoom > 4) {
        left = U" …" + left.substr(left.size() - static_cast<std::size_t>(leftRoom - 2));
    }
    if (std::u32string title = left + U'\n' + right; title != title_) {
        title_ = std::move(title);
        screen::Fill(0, 0, width, U' ', Paint::Title);
        screen::Put(0, 0, left, Paint::Title);
        screen::Put(0, std::max(width - static_cast<int>(right.size()), 0), right, Paint::Title);
    }

    // Text
    for (int row = 0; row < rows; ++row) {
        RowKey key = KeyOf(editor, top_ + row, width);
        RowKey& shown = rows_[static_cast<std::size_t>(row)];
        if (key == shown) continue;
        DrawRow(editor, row, key, width);
        shown = std::move(key);
    }
    screen::Cursor(1 + editor.CurLine() - top_, cursorColumn - left_, true);
}

}  // namespace edit
