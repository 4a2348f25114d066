#include "edit/view/line_cells.hpp"

#include <algorithm>

#include "engine/columns.hpp"
#include "engine/utf8.hpp"

namespace edit {

std::vector<Cell> LineCells(std::string_view text, engine::CodePage table, int tabSize,
                            std::size_t limit) {
    std::vector<Cell> cells;
    cells.reserve(std::min(text.size(), limit));
    for (std::size_t at = 0; at < text.size(); at += engine::CharLength(table, text, at)) {
        if (cells.size() >= limit) break;
        auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x80 && !engine::IsSingleByte(table)) {
            // A UTF-8 character, or a byte that is none (shown marked).
            char32_t ch = 0;
            std::size_t length = 0;
            const bool valid = engine::DecodeUtf8(text.substr(at), ch, length);
            cells.push_back(valid ? Cell{ch, false} : Cell{U'\uFFFD', true});
        } else if (byte == '\t') {
            const long long next =
                engine::NextTabStop(static_cast<long long>(cells.size()), tabSize);
            cells.resize(static_cast<std::size_t>(next));
        } else if (byte < 0x20 || byte == 0x7F) {
            cells.push_back(Cell{static_cast<char32_t>(byte == 0x7F ? U'?' : U'@' + byte), true});
        } else {
            cells.push_back(Cell{engine::ToUnicode(table, byte), false});
        }
    }
    return cells;
}

}  // namespace edit
