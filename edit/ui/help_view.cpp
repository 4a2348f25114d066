#include "edit/ui/help_view.hpp"

#include <algorithm>

#include "edit/terminal/screen.hpp"
#include "edit/ui/message_box.hpp"
#include "edit/ui/screen_text.hpp"

namespace edit {
namespace {

using screen::Paint;

HelpLine ParseLine(std::string_view line, int* links) {
    HelpLine result;
    if (!line.empty() && line[0] == '$') {
        result.heading = true;
        line.remove_prefix(1);
    }
    if (!line.empty() && line[0] == '^') {
        result.centred = true;
        line.remove_prefix(1);
    }
    HelpSpan span;
    auto flush = [&] {
        if (!span.text.empty()) result.spans.push_back(span);
        span.text.clear();
        span.target.clear();
    };
    std::u32string text = OemToText(line);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t ch = text[i];
        if ((ch == U'#' || ch == U'~') && i + 1 < text.size() && text[i + 1] == ch) {
            span.text.push_back(ch);
            ++i;
        } else if (ch == U'#' && span.kind != HelpSpan::Kind::Link) {
            flush();
            span.kind = span.kind == HelpSpan::Kind::Bold ? HelpSpan::Kind::Plain : HelpSpan::Kind::Bold;
        } else if (ch == U'~') {
            if (span.kind != HelpSpan::Kind::Link) {
                flush();
                span.kind = HelpSpan::Kind::Link;
                continue;
            }
            // The end of a link's text; "@Topic@" follows.
            std::size_t at = i + 1;
            if (at < text.size() && text[at] == U'@') {
                std::size_t end = text.find(U'@', at + 1);
                if (end == std::u32string::npos) end = text.size();
                span.target = TextToOem(text.substr(at + 1, end - at - 1));
                i = end;
            }
            if (!span.text.empty()) {
                span.link = (*links)++;
                result.spans.push_back(span);
            }
            span = HelpSpan{};
        } else {
            span.text.push_back(ch);
        }
    }
    if (span.kind == HelpSpan::Kind::Link && !span.text.empty()) span.link = (*links)++;
    flush();
    return result;
}

bool StartsParagraph(std::string_view raw) {
    return raw.empty() || raw[0] == ' ' || raw[0] == '$' || raw[0] == '^' || raw[0] == '\t';
}

// Appends `span` to `row`, merging it with the last span when they read alike.
void Append(HelpLine& row, const HelpSpan& span) {
    if (!row.spans.empty() && row.spans.back().kind == span.kind && row.spans.back().link == span.link) {
        row.spans.back().text += span.text;
    } else {
        row.spans.push_back(span);
    }
}

int Length(const HelpLine& row) {
    int n = 0;
    for (const HelpSpan& s : row.spans) n += static_cast<int>(s.text.size());
    return n;
}

}  // namespace

std::vector<HelpLine> ParseHelpTopic(std::string_view body) {
    std::vector<HelpLine> paragraphs;
    int links = 0;
    bool open = false;  // the last paragraph may take a continuation line
    while (!body.empty()) {
        auto end = body.find('\n');
        std::string_view raw = body.substr(0, end);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        HelpLine line = ParseLine(raw, &links);
        if (open && !StartsParagraph(raw) && !paragraphs.empty()) {
            HelpLine& last = paragraphs.back();
            Append(last, HelpSpan{HelpSpan::Kind::Plain, U" ", "", -1});
            for (const HelpSpan& s : line.spans) Append(last, s);
        } else {
            paragraphs.push_back(line);
            open = !raw.empty() && !line.heading && !line.centred;
        }
        if (end == std::string_view::npos) break;
        body.remove_prefix(end + 1);
    }
    while (!paragraphs.empty() && paragraphs.back().spans.empty() && !paragraphs.back().heading) {
        paragraphs.pop_back();
    }
    return paragraphs;
}

std::vector<HelpLine> FlowHelp(const std::vector<HelpLine>& paragraphs, int width) {
    width = std::max(width, 1);
    std::vector<HelpLine> rows;
    for (const HelpLine& paragraph : paragraphs) {
        if (paragraph.heading || paragraph.centred || Length(paragraph) <= width) {
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
            Append(row, piece);
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

void RunHelp(ModalStack& stack, const host::HelpFile* help, const std::string& topic) {
    const std::string* body = help ? help->Topic(topic) : nullptr;
    if (body == nullptr) {
        MessageSpec missing;
        missing.title = U"Help";
        missing.lines = {help ? U"There is no help topic " + Utf8ToText(topic) : U"The plug-in has no help file"};
        missing.buttons = {U"OK"};
        missing.warning = true;
        RunMessage(stack, missing, nullptr);
        return;
    }
    std::vector<std::string> trail{topic};
    std::vector<HelpLine> paragraphs;
    int linkCount = 0;
    int selected = -1;
    int top = 0;
    std::u32string title = OemToText(help->contentsTitle.empty() ? topic : help->contentsTitle);

    auto load = [&](const std::string& name) {
        const std::string* text = help->Topic(name);
        if (!text) return false;
        paragraphs = ParseHelpTopic(*text);
        linkCount = 0;
        for (const HelpLine& p : paragraphs) {
            for (const HelpSpan& s : p.spans) linkCount = std::max(linkCount, s.link + 1);
        }
        selected = linkCount > 0 ? 0 : -1;
        top = 0;
        return true;
    };
    load(topic);

    // The window fills the screen but for a row above and below.
    struct Layout {
        int x1, y1, x2, y2;
        std::vector<HelpLine> headings, rows;
        int bodyTop, bodyRows;
    };
    auto layout = [&] {
        Layout l;
        l.x1 = 0;
        l.x2 = std::max(screen::Width() - 1, 2);
        l.y1 = screen::Height() > 6 ? 1 : 0;
        l.y2 = std::max(screen::Height() - 1 - l.y1, l.y1 + 2);
        std::vector<HelpLine> heads, rest;
        std::size_t n = 0;
        for (; n < paragraphs.size() && paragraphs[n].heading; ++n) heads.push_back(paragraphs[n]);
        rest.assign(paragraphs.begin() + static_cast<std::ptrdiff_t>(n), paragraphs.end());
        int width = l.x2 - l.x1 - 3;
        l.headings = FlowHelp(heads, width);
        l.rows = FlowHelp(rest, width);
        l.bodyTop = l.y1 + 1 + static_cast<int>(l.headings.size()) + (l.headings.empty() ? 0 : 1);
        l.bodyRows = std::max(l.y2 - l.bodyTop, 1);
        return l;
    };

    auto drawRow = [&](int y, const Layout& l, const HelpLine& row) {
        int room = l.x2 - l.x1 - 3;
        int x = row.centred ? l.x1 + 2 + std::max((room - Length(row)) / 2, 0) : l.x1 + 2;
        for (const HelpSpan& span : row.spans) {
            Paint paint = span.kind == HelpSpan::Kind::Bold ? Paint::HelpBold : Paint::HelpText;
            if (span.link >= 0) paint = span.link == selected ? Paint::HelpLinkSelected : Paint::HelpLink;
            for (char32_t ch : span.text) {
                if (x < l.x2) screen::Put(y, x, ch, paint);
                ++x;
            }
        }
    };

    auto paint = [&] {
        Layout l = layout();
        screen::Box(l.x1, l.y1, l.x2, l.y2, true, Paint::HelpText);
        std::u32string shown = U" " + title + U" ";
        screen::Put(l.y1, l.x1 + (l.x2 - l.x1 + 1 - static_cast<int>(shown.size())) / 2, shown, Paint::HelpText);
        int y = l.y1 + 1;
        for (const HelpLine& row : l.headings) {
            if (y < l.y2) drawRow(y++, l, row);
        }
        if (!l.headings.empty() && y < l.y2) {
            screen::Put(y, l.x1, U'╟', Paint::HelpText);
            screen::Fill(y, l.x1 + 1, l.x2 - l.x1 - 1, U'─', Paint::HelpText);
            screen::Put(y, l.x2, U'╢', Paint::HelpText);
        }
        top = std::clamp(top, 0, std::max(static_cast<int>(l.rows.size()) - l.bodyRows, 0));
        for (int r = 0; r < l.bodyRows && top + r < static_cast<int>(l.rows.size()); ++r) {
            drawRow(l.bodyTop + r, l, l.rows[static_cast<std::size_t>(top + r)]);
        }
    };

    // Scrolls so that the chosen link is in view.
    auto showSelected = [&] {
        Layout l = layout();
        for (int r = 0; r < static_cast<int>(l.rows.size()); ++r) {
            for (const HelpSpan& s : l.rows[static_cast<std::size_t>(r)].spans) {
                if (s.link != selected) continue;
                if (r < top) top = r;
                if (r >= top + l.bodyRows) top = r - l.bodyRows + 1;
                return;
            }
        }
    };
    auto targetOf = [&](int link) -> std::string {
        for (const HelpLine& p : paragraphs) {
            for (const HelpSpan& s : p.spans) {
                if (s.link == link) return s.target;
            }
        }
        return {};
    };

    ModalStack::Layer layer(stack, paint);
    for (;;) {
        stack.Repaint();
        auto key = stack.ReadKey();
        if (!key) return;
        Layout l = layout();
        int last = std::max(static_cast<int>(l.rows.size()) - l.bodyRows, 0);
        switch (key->virtualKey) {
        case VK_ESCAPE: case VK_F1 + 9: return;
        case VK_UP: top = std::max(top - 1, 0); break;
        case VK_DOWN: top = std::min(top + 1, last); break;
        case VK_PRIOR: top = std::max(top - l.bodyRows, 0); break;
        case VK_NEXT: top = std::min(top + l.bodyRows, last); break;
        case VK_HOME: top = 0; break;
        case VK_END: top = last; break;
        case VK_TAB:
            if (linkCount > 0) {
                selected = (selected + ((key->controlState & SHIFT_PRESSED) ? linkCount - 1 : 1)) % linkCount;
                showSelected();
            }
            break;
        case VK_RETURN:
            if (selected >= 0) {
                std::string target = targetOf(selected);
                if (load(target)) trail.push_back(target);
            }
            break;
        case VK_BACK:
            if (trail.size() > 1) {
                trail.pop_back();
                load(trail.back());
            }
            break;
        case VK_F1:
            if (load("Contents")) trail.push_back("Contents");
            break;
        default: break;
        }
    }
}

}  // namespace edit
