#include "edit/view/editor_view.hpp"

#include <algorithm>

#include "edit/terminal/screen.hpp"
#include "edit/ui/screen_text.hpp"
#include "edit/view/line_cells.hpp"

namespace edit {
namespace {

using screen::Paint;

std::u32string Ascii(const std::string& text) { return std::u32string(text.begin(), text.end()); }

RowCells KeyBar(const engine::Editor& editor, int width) {
    std::string table(engine::CodePageName(SwitchedTable(editor.Table())));
    const char* labels[12] = {"Help", "Save",        "", "",     "",       "",
                              "",     table.c_str(), "", "Quit", "Plugin", ""};
    RowCells row(width, Paint::KeyLabel);
    // Twelve slots share the whole width, the spare columns spread among them.
    for (int i = 0; i < 12; ++i) {
        int x = i * width / 12, next = (i + 1) * width / 12;
        if (x >= width) break;
        std::u32string number = Ascii(std::to_string(i + 1));
        row.Put(x, number, Paint::KeyNumber);
        std::u32string label = Ascii(labels[i]);
        int room = next - x - static_cast<int>(number.size());
        label.resize(static_cast<std::size_t>(std::max(room, 0)), U' ');
        row.Put(x + static_cast<int>(number.size()), label, Paint::KeyLabel);
    }
    return row;
}

}  // namespace

int EditorView::TextRows() { return std::max(screen::Height() - 2, 1); }

std::u32string TitleStatus(const engine::Editor& editor) {
    std::string status = editor.Modified() ? "*  " : "   ";
    status += engine::CodePageName(editor.Table());
    const engine::TypedPosition cursor = editor.TypedCursor();
    status +=
        "  Line " + std::to_string(cursor.line.Value()) + "/" + std::to_string(editor.LineCount());
    // The screen column, as --at and go-to take it (a tab reaches the next tab stop).
    status += "  Col " + std::to_string(cursor.column.Value());
    status += editor.Overtype() ? "  Ovr " : "      ";
    return Ascii(status);
}

engine::CodePage SwitchedTable(engine::CodePage table) {
    return table == engine::CodePage::Oem866 ? engine::CodePage::Ansi1251
                                             : engine::CodePage::Oem866;
}

EditorView::RowKey EditorView::KeyOf(const engine::Editor& editor, int line, int width) const {
    RowKey key;
    if (line >= editor.LineCount()) return key;
    key.line = line;
    const std::string_view text = editor.LineAt(line).text;
    const engine::CodePage table = editor.Table();
    // Every character takes at least one cell, and has at most four bytes
    // (one in an 8-bit table): no byte past these is seen.
    const std::size_t perCell = engine::IsSingleByte(table) ? 1 : 4;
    key.bytes = text.substr(
        0, (static_cast<std::size_t>(left_) + static_cast<std::size_t>(width)) * perCell);
    if (const auto selection = editor.SelectionOn(line)) {
        const engine::LineColumns columns = editor.Columns(line);
        const auto screen = [&](int bytes) {
            return columns.Screen(engine::ByteColumn(bytes)).Value();
        };
        key.selectionFrom = screen(selection->from);
        // Through the end of the line: its line break shows as one cell more.
        key.selectionTo =
            selection->to < 0 ? screen(static_cast<int>(text.size())) + 1 : screen(selection->to);
    }
    return key;
}

RowCells EditorView::TextRow(const engine::Editor& editor, const RowKey& key, int width) const {
    RowCells row(width, Paint::EditorText);
    if (key.line < 0) return row;
    const auto cells = LineCells(key.bytes, editor.Table(), editor.Options().tabSize,
                                 static_cast<std::size_t>(left_ + width));
    for (int x = 0; x < width; ++x) {
        const int column = left_ + x;
        const bool selected = column >= key.selectionFrom && column < key.selectionTo;
        const auto at = static_cast<std::size_t>(column);
        if (at >= cells.size()) {
            if (!selected) break;
            row.Put(x, U' ', Paint::EditorSelected);
            continue;
        }
        const Paint paint = selected            ? Paint::EditorSelected
                            : cells[at].control ? Paint::EditorControl
                                                : Paint::EditorText;
        row.Put(x, cells[at].ch, paint);
    }
    return row;
}

void EditorView::Show(int y, const RowCells& row) {
    auto& shown = shown_[static_cast<std::size_t>(y)];
    const auto& cells = row.Cells();
    for (std::size_t x = 0; x < cells.size() && x < shown.size(); ++x) {
        if (cells[x] == shown[x]) continue;
        screen::Put(y, static_cast<int>(x), cells[x].ch, cells[x].paint);
        shown[x] = cells[x];
    }
}

void EditorView::Draw(engine::Editor& editor, const std::string& name,
                      const std::u32string& status) {
    const int width = screen::Width();
    const int rows = TextRows();
    // The window is the engine's (Ctrl+Up, PgDn and the plug-ins move it);
    // its size follows the screen, which keeps the cursor in it.
    editor.SetWindowSize(width, rows);
    const int top = editor.TopLine();
    left_ = editor.LeftPos().Value();
    const int tabSize = editor.Options().tabSize;
    const int cursorColumn = editor.CursorScreenColumn().Value();

    const Frame frame{width, screen::Height(), left_, tabSize, editor.Table()};
    if (!valid_ || frame != frame_) {
        frame_ = frame;
        rows_.assign(static_cast<std::size_t>(rows), RowKey{-2, {}, -1, -1});  // matches no row
        title_.clear();
        // A character no cell holds: every cell is put again.
        shown_.assign(static_cast<std::size_t>(screen::Height()),
                      std::vector<RowCells::Cell>(static_cast<std::size_t>(width),
                                                  {U'\uFFFF', Paint::EditorText}));
        valid_ = true;
        Show(screen::Height() - 1, KeyBar(editor, width));
    }

    // Title line
    std::u32string right =
        status.empty() ? TitleStatus(editor) : status + U"  " + TitleStatus(editor);
    std::u32string left = U" " + Utf8ToText(name);
    int leftRoom = width - static_cast<int>(right.size()) - 1;
    if (static_cast<int>(left.size()) > leftRoom && leftRoom > 4) {
        left = U" …" + left.substr(left.size() - static_cast<std::size_t>(leftRoom - 2));
    }
    if (std::u32string title = left + U'\n' + right; title != title_) {
        title_ = std::move(title);
        RowCells row(width, Paint::Title);
        row.Put(0, left, Paint::Title);
        row.Put(std::max(width - static_cast<int>(right.size()), 0), right, Paint::Title);
        Show(0, row);
    }

    // Text
    for (int row = 0; row < rows; ++row) {
        RowKey key = KeyOf(editor, top + row, width);
        RowKey& shown = rows_[static_cast<std::size_t>(row)];
        if (key == shown) continue;
        Show(row + 1, TextRow(editor, key, width));
        shown = std::move(key);
    }
    screen::Cursor(1 + editor.CurLine() - top, cursorColumn - left_, true);
}

}  // namespace edit
