#include "edit/ui/help_view.hpp"

#include <algorithm>
#include <optional>

#include "edit/terminal/screen.hpp"
#include "edit/ui/help_browser.hpp"
#include "edit/ui/help_layout.hpp"
#include "edit/ui/screen_text.hpp"

namespace edit {

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

namespace {

using screen::Paint;

// The window on the screen: the topic the browser shows, laid out for the
// screen's size now, the body's row at the window's top, and the link that
// Enter follows.
class HelpRunner {
public:
    HelpRunner(ModalStack& stack, const HelpShelf& shelf) : stack_(stack), browser_(shelf) {}

    void Run(const HelpTarget& start) {
        if (!browser_.Open(start)) {
            RunMessage(stack_, browser_.Missing(start), nullptr);
            return;
        }
        Load();
        stack_.Run([this] { Draw(); }, [this](const host::KeyStroke& key) { return Handle(key); });
    }

private:
    // Reads the topic the browser shows now, from its top.
    void Load() {
        paragraphs_ = ParseHelpTopic(*browser_.Body(), browser_.File()->utf8);
        linkCount_ = 0;
        for (const HelpLine& p : paragraphs_) {
            for (const HelpSpan& s : p.spans) linkCount_ = std::max(linkCount_, s.link + 1);
        }
        selected_ = linkCount_ > 0 ? 0 : -1;
        top_ = 0;
    }

    HelpLayout Layout() const { return LayOutHelp(paragraphs_, screen::Width(), screen::Height()); }

    void Draw() {
        const HelpLayout l = Layout();
        screen::Box(l.x1, l.y1, l.x2, l.y2, true, Paint::HelpText);
        const std::u32string shown = U" " + browser_.Title() + U" ";
        screen::Put(l.y1, l.x1 + (l.x2 - l.x1 + 1 - static_cast<int>(shown.size())) / 2, shown,
                    Paint::HelpText);
        int y = l.y1 + 1;
        for (const HelpLine& row : l.headings) {
            if (y < l.y2) DrawRow(y++, l, row);
        }
        if (!l.headings.empty() && y < l.y2) {
            screen::Put(y, l.x1, U'╟', Paint::HelpText);
            screen::Fill(y, l.x1 + 1, l.x2 - l.x1 - 1, U'─', Paint::HelpText);
            screen::Put(y, l.x2, U'╢', Paint::HelpText);
        }
        // A smaller screen may leave the body's top past its last page.
        top_ = std::clamp(top_, 0, LastTop(l));
        for (int r = 0; r < l.bodyRows && top_ + r < static_cast<int>(l.rows.size()); ++r) {
            DrawRow(l.bodyTop + r, l, l.rows[static_cast<std::size_t>(top_ + r)]);
        }
    }

    void DrawRow(int y, const HelpLayout& l, const HelpLine& row) const {
        int x = RowStart(l, row);
        for (const HelpSpan& span : row.spans) {
            Paint paint = span.kind == HelpSpan::Kind::Bold ? Paint::HelpBold : Paint::HelpText;
            if (span.link >= 0)
                paint = span.link == selected_ ? Paint::HelpLinkSelected : Paint::HelpLink;
            for (char32_t ch : span.text) {
                if (x < l.x2) screen::Put(y, x, ch, paint);
                ++x;
            }
        }
    }

    // The body's top row when its last page is in view.
    static int LastTop(const HelpLayout& l) {
        return std::max(static_cast<int>(l.rows.size()) - l.bodyRows, 0);
    }

    // Scrolls so that the chosen link is in view.
    void ShowSelected() {
        const HelpLayout l = Layout();
        const int r = RowOfLink(l, selected_);
        if (r < 0) return;
        if (r < top_) top_ = r;
        if (r >= top_ + l.bodyRows) top_ = r - l.bodyRows + 1;
    }

    std::string TargetOf(int link) const {
        for (const HelpLine& p : paragraphs_) {
            for (const HelpSpan& s : p.spans) {
                if (s.link == link) return s.target;
            }
        }
        return {};
    }

    // Something when the key closes the window.
    std::optional<int> Handle(const host::KeyStroke& key) {
        const HelpLayout l = Layout();
        const int last = LastTop(l);
        switch (key.virtualKey) {
        case VK_ESCAPE:
        case VK_F1 + 9: return -1;  // Esc, F10
        case VK_UP: top_ = std::max(top_ - 1, 0); break;
        case VK_DOWN: top_ = std::min(top_ + 1, last); break;
        case VK_PRIOR: top_ = std::max(top_ - l.bodyRows, 0); break;
        case VK_NEXT: top_ = std::min(top_ + l.bodyRows, last); break;
        case VK_HOME: top_ = 0; break;
        case VK_END: top_ = last; break;
        case VK_TAB:
            if (linkCount_ > 0) {
                const int step = (key.controlState & SHIFT_PRESSED) ? linkCount_ - 1 : 1;
                selected_ = (selected_ + step) % linkCount_;
                ShowSelected();
            }
            break;
        case VK_RETURN:
            if (selected_ >= 0) Follow(ParseHelpTarget(TargetOf(selected_)));
            break;
        case VK_BACK:
            if (browser_.Back()) Load();
            break;
        case VK_F1:
            if (browser_.Open(HelpTarget{"", "Contents"})) Load();
            break;
        default: break;
        }
        return std::nullopt;
    }

    void Follow(const HelpTarget& target) {
        if (browser_.Open(target)) {
            Load();
        } else {
            RunMessage(stack_, browser_.Missing(target), nullptr);
        }
    }

    ModalStack& stack_;
    HelpBrowser browser_;
    std::vector<HelpLine> paragraphs_;  // the topic shown
    int linkCount_ = 0;
    int selected_ = -1;  // the link Enter follows; -1 for none
    int top_ = 0;        // the body's row at the top of the window
};

}  // namespace

void RunHelp(ModalStack& stack, const HelpShelf& shelf, const HelpTarget& start) {
    HelpRunner(stack, shelf).Run(start);
}

}  // namespace edit
