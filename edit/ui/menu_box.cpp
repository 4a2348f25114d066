#include "edit/ui/menu_box.hpp"

#include <algorithm>
#include <cwctype>
#include <optional>

#include "edit/terminal/screen.hpp"
#include "edit/ui/screen_text.hpp"
#include "host/key_input.hpp"

namespace edit {
namespace {

using screen::Paint;

bool IsWordChar(char32_t ch) { return std::iswalnum(static_cast<wint_t>(ch)) != 0; }

HotkeyLabel LabelOf(const MenuLine& line, bool showAmpersand) {
    if (showAmpersand) return HotkeyLabel{line.text, -1};
    return ParseHotkey(line.text);
}

}  // namespace

int NextSelectable(const std::vector<MenuLine>& lines, int from, int step) {
    int count = static_cast<int>(lines.size());
    for (int tries = 1; tries <= count; ++tries) {
        int at = ((from + step * tries) % count + count) % count;
        if (!lines[static_cast<std::size_t>(at)].separator) return at;
    }
    return -1;
}

std::vector<char32_t> MenuHotkeys(const std::vector<MenuLine>& lines, bool showAmpersand,
                                  bool autoHotkeys) {
    std::vector<char32_t> keys(lines.size(), 0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].separator) continue;
        HotkeyLabel label = LabelOf(lines[i], showAmpersand);
        if (label.hotkey >= 0)
            keys[i] = FoldCase(label.text[static_cast<std::size_t>(label.hotkey)]);
    }
    if (!autoHotkeys) return keys;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].separator || keys[i] != 0) continue;
        for (char32_t ch : LabelOf(lines[i], showAmpersand).text) {
            char32_t key = FoldCase(ch);
            if (IsWordChar(ch) && std::find(keys.begin(), keys.end(), key) == keys.end()) {
                keys[i] = key;
                break;
            }
        }
    }
    return keys;
}

namespace {

// The menu on the screen: its bar, the line shown at its top, and the keys
// that move the bar or choose.
class MenuRunner {
public:
    MenuRunner(ModalStack& stack, const MenuSpec& menu, const HelpHandler& help)
        : stack_(stack),
          menu_(menu),
          lines_(menu.lines),
          help_(help),
          hotkeys_(MenuHotkeys(lines_, menu.showAmpersand, menu.autoHotkeys)) {
        current_ = std::clamp(menu.selected, 0, static_cast<int>(lines_.size()) - 1);
        if (lines_[static_cast<std::size_t>(current_)].separator)
            current_ = NextSelectable(lines_, current_, 1);
    }

    int Run() {
        return stack_.Run([this] { Draw(); },
                          [this](const host::KeyStroke& key) { return Handle(key); });
    }

private:
    struct Frame {
        int x1, y1, x2, y2, rows;
    };

    Frame Place() const {
        int textWidth = static_cast<int>(menu_.title.size()) + 2;
        textWidth = std::max(textWidth, static_cast<int>(menu_.bottom.size()) + 2);
        for (const MenuLine& line : lines_) {
            textWidth = std::max(textWidth,
                                 static_cast<int>(LabelOf(line, menu_.showAmpersand).text.size()));
        }
        int width = std::min(textWidth + 6, std::max(screen::Width() - 2, 8));
        int fit = std::max(screen::Height() - 4, 1);
        Frame f;
        f.rows = std::min(static_cast<int>(lines_.size()), fit);
        if (menu_.maxHeight > 0) f.rows = std::min(f.rows, menu_.maxHeight);
        int height = f.rows + 2;
        f.x1 = menu_.x >= 0 ? menu_.x : (screen::Width() - width) / 2;
        f.y1 = menu_.y >= 0 ? menu_.y : (screen::Height() - height) / 2;
        f.x1 = std::clamp(f.x1, 0, std::max(screen::Width() - width, 0));
        f.y1 = std::clamp(f.y1, 0, std::max(screen::Height() - height, 0));
        f.x2 = f.x1 + width - 1;
        f.y2 = f.y1 + height - 1;
        return f;
    }

    void Centred(const Frame& f, int y, const std::u32string& text) const {
        if (text.empty()) return;
        std::u32string shown = U" " + text + U" ";
        int room = f.x2 - f.x1 - 1;
        if (static_cast<int>(shown.size()) > room)
            shown.resize(static_cast<std::size_t>(std::max(room, 0)));
        screen::Put(y, f.x1 + 1 + (room - static_cast<int>(shown.size())) / 2, shown,
                    Paint::MenuText);
    }

    void Draw() {
        const Frame f = Place();
        if (current_ < top_) top_ = current_;
        if (current_ >= top_ + f.rows) top_ = current_ - f.rows + 1;
        screen::Box(f.x1, f.y1, f.x2, f.y2, true, Paint::MenuText);
        screen::Shadow(f.x1, f.y1, f.x2, f.y2);
        Centred(f, f.y1, menu_.title);
        Centred(f, f.y2, menu_.bottom);
        for (int row = 0; row < f.rows && top_ + row < static_cast<int>(lines_.size()); ++row) {
            PaintLine(f, f.y1 + 1 + row, top_ + row);
        }
    }

    void PaintLine(const Frame& f, int y, int n) const {
        const MenuLine& line = lines_[static_cast<std::size_t>(n)];
        if (line.separator) {
            screen::Put(y, f.x1, U'╟', Paint::MenuText);
            screen::Fill(y, f.x1 + 1, f.x2 - f.x1 - 1, U'─', Paint::MenuText);
            screen::Put(y, f.x2, U'╢', Paint::MenuText);
            return;
        }
        bool selected = n == current_;
        Paint base = selected ? Paint::MenuSelected : Paint::MenuText;
        screen::Fill(y, f.x1 + 1, f.x2 - f.x1 - 1, U' ', base);
        if (line.check) screen::Put(y, f.x1 + 1, line.check, base);
        HotkeyLabel label = LabelOf(line, menu_.showAmpersand);
        int room = f.x2 - f.x1 - 4;
        for (int i = 0; i < static_cast<int>(label.text.size()) && i < room; ++i) {
            bool hot = i == label.hotkey && !selected;
            screen::Put(y, f.x1 + 3 + i, label.text[static_cast<std::size_t>(i)],
                        hot ? Paint::MenuHotkey : base);
        }
    }

    // The chosen line or -1 when the key closes the menu; nothing to go on.
    std::optional<int> Handle(const host::KeyStroke& key) {
        const int rows = Place().rows;
        const int count = static_cast<int>(lines_.size());
        switch (key.virtualKey) {
        case VK_UP: current_ = NextSelectable(lines_, current_, -1); return std::nullopt;
        case VK_DOWN: current_ = NextSelectable(lines_, current_, 1); return std::nullopt;
        case VK_HOME: current_ = NextSelectable(lines_, -1, 1); return std::nullopt;
        case VK_PRIOR:
            current_ = NextSelectable(lines_, std::max(current_ - rows, 0) - 1, 1);
            return std::nullopt;
        case VK_END: current_ = NextSelectable(lines_, count, -1); return std::nullopt;
        case VK_NEXT:
            current_ = NextSelectable(lines_, std::min(current_ + rows, count - 1) + 1, -1);
            return std::nullopt;
        case VK_RETURN: return current_;
        case VK_ESCAPE:
        case VK_F1 + 9: return -1;  // Esc, F10
        case VK_F1:
            if (!menu_.helpTopic.empty() && help_) help_(menu_.helpTopic);
            return std::nullopt;
        default: break;
        }
        // A hot key is typed, plainly or with Alt: Ctrl makes a key a shortcut.
        const DWORD alt = LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;
        if (key.oemChar >= 0x20 && !host::CommandModifiers(key.controlState & ~alt)) {
            char32_t typed = FoldCase(OemToText(std::string(1, static_cast<char>(key.oemChar)))[0]);
            auto hit = std::find(hotkeys_.begin(), hotkeys_.end(), typed);
            if (hit != hotkeys_.end()) return static_cast<int>(hit - hotkeys_.begin());
        }
        return std::nullopt;
    }

    ModalStack& stack_;
    const MenuSpec& menu_;
    const std::vector<MenuLine>& lines_;
    const HelpHandler& help_;
    std::vector<char32_t> hotkeys_;
    int current_ = 0;  // the line under the bar
    int top_ = 0;      // the line shown first
};

}  // namespace

int RunMenu(ModalStack& stack, const MenuSpec& menu, const HelpHandler& help) {
    if (menu.lines.empty() || NextSelectable(menu.lines, 0, 1) < 0) return -1;
    return MenuRunner(stack, menu, help).Run();
}

}  // namespace edit
