// The editor's screen: the title line (file name, modified mark, code page,
// line and column), the text, and the key bar.
#pragma once

#include <string>

#include "host/editor.hpp"

namespace edit {

class EditorView {
public:
    // Draws everything and places the cursor; scrolls so the cursor is seen.
    void Draw(const host::Editor& editor, const std::string& name, const std::u32string& status);
    // Rows left for the text on the current screen.
    static int TextRows();

private:
    void FollowCursor(int line, int column, int rows, int columns);
    int top_ = 0;   // first line shown
    int left_ = 0;  // first screen column shown
};

// The title line's right part, e.g. "*  866  Line 5/30  Col 11".
std::u32string TitleStatus(const host::Editor& editor);

// The table F8 switches to: 866 and 1251 swap; any other table goes to 866.
host::CodePage SwitchedTable(host::CodePage table);

}  // namespace edit
