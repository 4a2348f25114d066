#include "edit/ui/help_view.hpp"

#include <algorithm>

#include "edit/terminal/screen.hpp"
#include "edit/ui/help_browser.hpp"
#include "edit/ui/help_layout.hpp"
#include "edit/ui/screen_text.hpp"

namespace edit {
namespace {

using screen::Paint;

}  // namespace

MessageSpec MissingHelpMessage(const host::HelpFile* help, const std::string& topic) {
    MessageSpec missing;
    missing.title = U"Help";
    missing.lines = {help ? U"There is no help topic " + Utf8ToText(topic)
                          : U"The plug-in has no help file"};
    missing.buttons = {U"OK"};
    missing.warning = true;
    return missing;
}

void RunHelp(ModalStack& stack, const host::HelpFile* help, const std::string& topic) {
    RunHelp(stack, HelpShelf{{"", help}}, HelpTarget{"", topic});
}

void RunHelp(ModalStack& stack, const HelpShelf& shelf, const HelpTarget& start) {
    HelpBrowser browser(shelf);
    if (!browser.Open(start)) {
        RunMessage(stack, browser.Missing(start), nullptr);
        return;
    }
    std::vector<HelpLine> paragraphs;
    int linkCount = 0;
    int selected = -1;
    int top = 0;

    // Reads the topic the browser shows now.
    auto load = [&] {
        paragraphs = ParseHelpTopic(*browser.Body());
        linkCount = 0;
        for (const HelpLine& p : paragraphs) {
            for (const HelpSpan& s : p.spans) linkCount = std::max(linkCount, s.link + 1);
        }
        selected = linkCount > 0 ? 0 : -1;
        top = 0;
    };
    load();

    auto layout = [&] { return LayOutHelp(paragraphs, screen::Width(), screen::Height()); };

    auto drawRow = [&](int y, const HelpLayout& l, const HelpLine& row) {
        int x = RowStart(l, row);
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
        HelpLayout l = layout();
        screen::Box(l.x1, l.y1, l.x2, l.y2, true, Paint::HelpText);
        std::u32string shown = U" " + browser.Title() + U" ";
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
        const HelpLayout l = layout();
        const int r = RowOfLink(l, selected);
        if (r < 0) return;
        if (r < top) top = r;
        if (r >= top + l.bodyRows) top = r - l.bodyRows + 1;
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
        HelpLayout l = layout();
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
                const HelpTarget target = ParseHelpTarget(targetOf(selected));
                if (browser.Open(target)) {
                    load();
                } else {
                    RunMessage(stack, browser.Missing(target), nullptr);
                }
            }
            break;
        case VK_BACK:
            if (browser.Back()) load();
            break;
        case VK_F1:
            if (browser.Open(HelpTarget{"", "Contents"})) load();
            break;
        default: break;
        }
    }
}

}  // namespace edit
