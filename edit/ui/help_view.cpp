#include "edit/ui/help_view.hpp"

#include <algorithm>

#include "edit/terminal/screen.hpp"
#include "edit/ui/message_box.hpp"
#include "edit/ui/screen_text.hpp"

namespace edit {
namespace {

using screen::Paint;

HelpLine ParseLine(std::string_view line) {
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
            HelpSpan link = span;
            if (!link.text.empty()) result.spans.push_back(link);
            span = HelpSpan{};
        } else {
            span.text.push_back(ch);
        }
    }
    flush();
    return result;
}

struct LinkPlace {
    std::size_t line;
    std::size_t span;
};

}  // namespace

std::vector<HelpLine> ParseHelpTopic(std::string_view body) {
    std::vector<HelpLine> lines;
    while (!body.empty()) {
        auto end = body.find('\n');
        std::string_view line = body.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(ParseLine(line));
        if (end == std::string_view::npos) break;
        body.remove_prefix(end + 1);
    }
    while (!lines.empty() && lines.back().spans.empty() && !lines.back().heading) lines.pop_back();
    return lines;
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
    std::vector<HelpLine> lines = ParseHelpTopic(*body);
    std::vector<LinkPlace> links;
    int selected = -1;
    int top = 0;
    std::u32string title = OemToText(help->contentsTitle.empty() ? topic : help->contentsTitle);

    auto load = [&](const std::string& name) {
        const std::string* text = help->Topic(name);
        if (!text) return false;
        lines = ParseHelpTopic(*text);
        links.clear();
        for (std::size_t l = 0; l < lines.size(); ++l) {
            for (std::size_t s = 0; s < lines[l].spans.size(); ++s) {
                if (lines[l].spans[s].kind == HelpSpan::Kind::Link) links.push_back({l, s});
            }
        }
        selected = links.empty() ? -1 : 0;
        top = 0;
        return true;
    };
    load(topic);

    auto headingCount = [&] {
        int n = 0;
        while (n < static_cast<int>(lines.size()) && lines[static_cast<std::size_t>(n)].heading) ++n;
        return n;
    };
    auto geometry = [&](int* x1, int* y1, int* x2, int* y2) {
        int width = std::min(screen::Width(), 80);
        int height = std::max(screen::Height() - 2, 5);
        *x1 = (screen::Width() - width) / 2;
        *y1 = (screen::Height() - height) / 2;
        *x2 = *x1 + width - 1;
        *y2 = *y1 + height - 1;
    };
    auto bodyRows = [&] {
        int x1, y1, x2, y2;
        geometry(&x1, &y1, &x2, &y2);
        return std::max(y2 - y1 - 1 - headingCount(), 1);
    };

    auto drawLine = [&](int y, int x1, int x2, std::size_t n) {
        const HelpLine& line = lines[n];
        int length = 0;
        for (const HelpSpan& s : line.spans) length += static_cast<int>(s.text.size());
        int room = x2 - x1 - 3;
        int x = line.centred ? x1 + 2 + std::max((room - length) / 2, 0) : x1 + 2;
        for (std::size_t s = 0; s < line.spans.size(); ++s) {
            const HelpSpan& span = line.spans[s];
            Paint paint = span.kind == HelpSpan::Kind::Bold ? Paint::HelpBold : Paint::HelpText;
            if (span.kind == HelpSpan::Kind::Link) {
                bool chosen = selected >= 0 && links[static_cast<std::size_t>(selected)].line == n &&
                              links[static_cast<std::size_t>(selected)].span == s;
                paint = chosen ? Paint::HelpLinkSelected : Paint::HelpLink;
            }
            for (char32_t ch : span.text) {
                if (x < x2 - 1) screen::Put(y, x, ch, paint);
                ++x;
            }
        }
    };

    auto paint = [&] {
        int x1, y1, x2, y2;
        geometry(&x1, &y1, &x2, &y2);
        screen::Box(x1, y1, x2, y2, true, Paint::HelpText);
        std::u32string shown = U" " + title + U" ";
        screen::Put(y1, x1 + (x2 - x1 + 1 - static_cast<int>(shown.size())) / 2, shown, Paint::HelpText);
        int headings = headingCount();
        int y = y1 + 1;
        for (int n = 0; n < headings && y < y2; ++n) drawLine(y++, x1, x2, static_cast<std::size_t>(n));
        if (headings > 0 && y < y2) {
            screen::Put(y, x1, U'╟', Paint::HelpText);
            screen::Fill(y, x1 + 1, x2 - x1 - 1, U'─', Paint::HelpText);
            screen::Put(y, x2, U'╢', Paint::HelpText);
            ++y;
        }
        for (int n = headings + top; n < static_cast<int>(lines.size()) && y < y2; ++n) {
            drawLine(y++, x1, x2, static_cast<std::size_t>(n));
        }
    };

    // Scrolls so that the chosen link is in view.
    auto showSelected = [&] {
        if (selected < 0) return;
        int line = static_cast<int>(links[static_cast<std::size_t>(selected)].line) - headingCount();
        int rows = bodyRows() - (headingCount() > 0 ? 1 : 0);
        if (line < top) top = std::max(line, 0);
        if (line >= top + rows) top = line - rows + 1;
    };

    ModalStack::Layer layer(stack, paint);
    for (;;) {
        stack.Repaint();
        auto key = stack.ReadKey();
        if (!key) return;
        int rows = bodyRows();
        int last = std::max(static_cast<int>(lines.size()) - headingCount() - rows + 1, 0);
        switch (key->virtualKey) {
        case VK_ESCAPE: case VK_F1 + 9: return;
        case VK_UP: top = std::max(top - 1, 0); break;
        case VK_DOWN: top = std::min(top + 1, last); break;
        case VK_PRIOR: top = std::max(top - rows, 0); break;
        case VK_NEXT: top = std::min(top + rows, last); break;
        case VK_HOME: top = 0; break;
        case VK_END: top = last; break;
        case VK_TAB:
            if (!links.empty()) {
                int n = static_cast<int>(links.size());
                selected = (selected + ((key->controlState & SHIFT_PRESSED) ? n - 1 : 1)) % n;
                showSelected();
            }
            break;
        case VK_RETURN:
            if (selected >= 0) {
                const HelpSpan& span = lines[links[static_cast<std::size_t>(selected)].line]
                                           .spans[links[static_cast<std::size_t>(selected)].span];
                std::string target = span.target;
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
