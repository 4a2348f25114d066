// The editor's screen: the title line (file name, modified mark, code page,
// line and column), the text, and the key bar.
#pragma once

#include <string>
#include <vector>

#include "host/editor.hpp"

namespace edit {

class EditorView {
public:
    // Draws what changed since the last Draw and places the cursor; scrolls
    // so the cursor is seen. A row whose text, selection and place are as
    // they were is not drawn again, so a key costs what it changed on the
    // screen, whatever the screen's size.
    void Draw(const host::Editor& editor, const std::string& name, const std::u32string& status);
    // The next Draw draws every row (the screen was drawn over meanwhile).
    void Invalidate() { valid_ = false; }
    // Rows left for the text on the current screen.
    static int TextRows();

private:
    // What a text row shows: the line, the bytes of it that can reach the
    // screen, and the screen columns of its block.
    struct RowKey {
        int line = -1;  // -1 past the end of the text
        std::string bytes;
        int selectionFrom = -1, selectionTo = -1;
        friend bool operator==(const RowKey&, const RowKey&) = default;
    };
    // Everything that all rows depend on.
    struct Frame {
        int width = 0, height = 0, left = 0, tabSize = 0;
        host::CodePage table = host::CodePage::Oem866;
        friend bool operator==(const Frame&, const Frame&) = default;
    };

    void FollowCursor(int line, int column, int rows, int columns);
    RowKey KeyOf(const host::Editor& editor, int line, int width) const;
    void DrawRow(const host::Editor& editor, int row, const RowKey& key, int width) const;

    int top_ = 0;   // first line shown
    int left_ = 0;  // first screen column shown
    bool valid_ = false;
    Frame frame_;
    std::vector<RowKey> rows_;
    std::u32string title_;
};

// The title line's right part, e.g. "*  866  Line 5/30  Col 11".
std::u32string TitleStatus(const host::Editor& editor);

// The table F8 switches to: 866 and 1251 swap; any other table goes to 866.
host::CodePage SwitchedTable(host::CodePage table);

}  // namespace edit
