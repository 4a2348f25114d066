#include "edit/ui/help_layout.hpp"

#include <algorithm>
#include <cstddef>

namespace edit {

std::vector<HelpLine> FlowHelp(const std::vector<HelpLine>& paragraphs, int width) {
    width = std::max(width, 1);
    std::vector<HelpLine> rows;
    for (const HelpLine& paragraph : paragraphs) {
        if (paragraph.heading || paragraph.centred || LineLength(paragraph) <= width) {
            rows.push_back(paragraph);
            continue;
        }
        // One cell per character, each with the look of its span.
        struct Cell { char32_t ch; const HelpSpan* look; };
        std::vector<Cell> cells;
        for (const HelpSpan& span : paragraph.spans) {
            for (char32_t ch : span.text) cells.push_back(Cell{ch, &span});
        }
        HelpLine row;
        int used = 0;
        auto put = [&](const Cell& c) {
            HelpSpan piece = *c.look;
            piece.text = std::u32string(1, c.ch);
            AppendSpan(row, piece);
            ++used;
        };
        auto breakRow = [&] {
            rows.push_back(row);
            row = HelpLine{};
            used = 0;
        };
        std::size_t i = 0;
        while (i < cells.size()) {
            // The blanks before the next word, then the word.
            std::size_t wordStart = i;
            while (wordStart < cells.size() && cells[wordStart].ch == U' ') ++wordStart;
            std::size_t wordEnd = wordStart;
            while (wordEnd < cells.size() && cells[wordEnd].ch != U' ') ++wordEnd;
            int blanks = static_cast<int>(wordStart - i), word = static_cast<int>(wordEnd - wordStart);
            if (used > 0 && used + blanks + word > width) {
                breakRow();
                blanks = 0;  // a new row starts with the word itself
            }
            for (std::size_t k = wordStart - static_cast<std::size_t>(blanks); k < wordStart; ++k) {
                if (used < width) put(cells[k]);
            }
            for (std::size_t k = wordStart; k < wordEnd; ++k) {
                if (used >= width) breakRow();  // a word longer than a row is cut
                put(cells[k]);
            }
            i = wordEnd;
        }
        if (!row.spans.empty()) rows.push_back(row);
    }
    return rows;
}

HelpLayout LayOutHelp(const std::vector<HelpLine>& paragraphs, int screenWidth,
                      int screenHeight) {
    HelpLayout l;
    l.x1 = 0;
    l.x2 = std::max(screenWidth - 1, 2);
    l.y1 = screenHeight > 6 ? 1 : 0;
    l.y2 = std::max(screenHeight - 1 - l.y1, l.y1 + 2);
    std::size_t n = 0;
    while (n < paragraphs.size() && paragraphs[n].heading) ++n;
    const auto firstBody = paragraphs.begin() + static_cast<std::ptrdiff_t>(n);
    const int width = l.x2 - l.x1 - 3;
    l.headings = FlowHelp(std::vector<HelpLine>(paragraphs.begin(), firstBody), width);
    l.rows = FlowHelp(std::vector<HelpLine>(firstBody, paragraphs.end()), width);
    l.bodyTop = l.y1 + 1 + static_cast<int>(l.headings.size()) + (l.headings.empty() ? 0 : 1);
    l.bodyRows = std::max(l.y2 - l.bodyTop, 1);
    return l;
}

int RowStart(const HelpLayout& layout, const HelpLine& row) {
    const int room = layout.x2 - layout.x1 - 3;
    const int indent = row.centred ? std::max((room - LineLength(row)) / 2, 0) : 0;
    return layout.x1 + 2 + indent;
}

int RowOfLink(const HelpLayout& layout, int link) {
    for (std::size_t r = 0; r < layout.rows.size(); ++r) {
        for (const HelpSpan& s : layout.rows[r].spans) {
            if (s.link == link) return static_cast<int>(r);
        }
    }
    return -1;
}

}  // namespace edit
