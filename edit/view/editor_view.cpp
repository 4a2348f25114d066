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

void EditorView::Draw(const host::Editor& editor, const std::string& name,
                      const std::u32string& status) {
    int width = screen::Width();
    int rows = TextRows();
    int tabSize = editor.Options().tabSize;
    std::string_view current = editor.LineAt(editor.CurLine()).text;
    int cursorColumn = ScreenColumn(current, editor.CurPos(), tabSize);
    FollowCursor(editor.CurLine(), cursorColumn, rows, width);
    top_ = std::clamp(top_, 0, std::max(editor.LineCount() - 1, 0));

    // Title line
    screen::Fill(0, 0, width, U' ', Paint::Title);
    std::u32string right = status.empty() ? TitleStatus(editor) : status + U"  " + TitleStatus(editor);
    std::u32string left = U" " + Utf8ToText(name);
    int leftRoom = width - static_cast<int>(right.size()) - 1;
    if (static_cast<int>(left.size()) > leftRoom && leftRoom > 4) {
        left = U" …" + left.substr(left.size() - static_cast<std::size_t>(leftRoom - 2));
    }
    screen::Put(0, 0, left, Paint::Title);
    screen::Put(0, std::max(width - static_cast<int>(right.size()), 0), right, Paint::Title);

    // Text
    for (int row = 0; row < rows; ++row) {
        int n = top_ + row;
        screen::Fill(row + 1, 0, width, U' ', Paint::EditorText);
        if (n >= editor.LineCount()) continue;
        auto cells = LineCells(editor.LineAt(n).text, editor.Table(), tabSize,
                               static_cast<std::size_t>(left_ + width));
        for (int x = 0; x < width; ++x) {
            std::size_t at = static_cast<std::size_t>(left_ + x);
            if (at >= cells.size()) break;
            screen::Put(row + 1, x, cells[at].ch,
                        cells[at].control ? Paint::EditorControl : Paint::EditorText);
        }
    }
    DrawKeyBar(editor, screen::Height() - 1);
    screen::Cursor(1 + editor.CurLine() - top_, cursorColumn - left_, true);
}

}  // namespace edit
