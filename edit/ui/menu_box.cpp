#include "edit/ui/menu_box.hpp"

#include <algorithm>
#include <cwctype>

#include "edit/terminal/screen.hpp"
#include "edit/ui/screen_text.hpp"

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
        if (label.hotkey >= 0) keys[i] = FoldCase(label.text[static_cast<std::size_t>(label.hotkey)]);
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

int RunMenu(ModalStack& stack, const MenuSpec& menu, const HelpHandler& help) {
    const auto& lines = menu.lines;
    if (lines.empty() || NextSelectable(lines, 0, 1) < 0) return -1;
    std::vector<char32_t> hotkeys = MenuHotkeys(lines, menu.showAmpersand, menu.autoHotkeys);
    int current = std::clamp(menu.selected, 0, static_cast<int>(lines.size()) - 1);
    if (lines[static_cast<std::size_t>(current)].separator) current = NextSelectable(lines, current, 1);
    int top = 0;

    auto geometry = [&](int* x1, int* y1, int* x2, int* y2, int* rows) {
        int textWidth = static_cast<int>(menu.title.size()) + 2;
        textWidth = std::max(textWidth, static_cast<int>(menu.bottom.size()) + 2);
        for (const MenuLine& line : lines) {
            textWidth = std::max(textWidth, static_cast<int>(LabelOf(line, menu.showAmpersand).text.size()));
        }
        int width = std::min(textWidth + 6, std::max(screen::Width() - 2, 8));
        int fit = std::max(screen::Height() - 4, 1);
        *rows = std::min(static_cast<int>(lines.size()), fit);
        if (menu.maxHeight > 0) *rows = std::min(*rows, menu.maxHeight);
        int height = *rows + 2;
        *x1 = menu.x >= 0 ? menu.x : (screen::Width() - width) / 2;
        *y1 = menu.y >= 0 ? menu.y : (screen::Height() - height) / 2;
        *x1 = std::clamp(*x1, 0, std::max(screen::Width() - width, 0));
        *y1 = std::clamp(*y1, 0, std::max(screen::Height() - height, 0));
        *x2 = *x1 + width - 1;
        *y2 = *y1 + height - 1;
    };

    auto paint = [&]() {
        int x1, y1, x2, y2, rows;
        geometry(&x1, &y1, &x2, &y2, &rows);
        if (current < top) top = current;
        if (current >= top + rows) top = current - rows + 1;
        screen::Box(x1, y1, x2, y2, true, Paint::MenuText);
        screen::Shadow(x1, y1, x2, y2);
        auto centred = [&](int y, const std::u32string& text) {
            if (text.empty()) return;
            std::u32string shown = U" " + text + U" ";
            int room = x2 - x1 - 1;
            if (static_cast<int>(shown.size()) > room) shown.resize(static_cast<std::size_t>(std::max(room, 0)));
            screen::Put(y, x1 + 1 + (room - static_cast<int>(shown.size())) / 2, shown, Paint::MenuText);
        };
        centred(y1, menu.title);
        centred(y2, menu.bottom);
        for (int row = 0; row < rows; ++row) {
            int n = top + row;
            if (n >= static_cast<int>(lines.size())) break;
            const MenuLine& line = lines[static_cast<std::size_t>(n)];
            int y = y1 + 1 + row;
            if (line.separator) {
                screen::Put(y, x1, U'╟', Paint::MenuText);
                screen::Fill(y, x1 + 1, x2 - x1 - 1, U'─', Paint::MenuText);
                screen::Put(y, x2, U'╢', Paint::MenuText);
                continue;
            }
            bool selected = n == current;
            Paint base = selected ? Paint::MenuSelected : Paint::MenuText;
            screen::Fill(y, x1 + 1, x2 - x1 - 1, U' ', base);
            if (line.check) screen::Put(y, x1 + 1, line.check, base);
            HotkeyLabel label = LabelOf(line, menu.showAmpersand);
            int room = x2 - x1 - 4;
            for (int i = 0; i < static_cast<int>(label.text.size()) && i < room; ++i) {
                bool hot = i == label.hotkey && !selected;
                screen::Put(y, x1 + 3 + i, label.text[static_cast<std::size_t>(i)],
                            hot ? Paint::MenuHotkey : base);
            }
        }
    };

    ModalStack::Layer layer(stack, paint);
    for (;;) {
        stack.Repaint();
        auto key = stack.ReadKey();
        if (!key) return -1;
        int rows = 0, x1, y1, x2, y2;
        geometry(&x1, &y1, &x2, &y2, &rows);
        switch (key->virtualKey) {
        case VK_UP: current = NextSelectable(lines, current, -1); continue;
        case VK_DOWN: current = NextSelectable(lines, current, 1); continue;
        case VK_HOME: case VK_PRIOR:
            current = NextSelectable(lines, key->virtualKey == VK_HOME ? -1 : std::max(current - rows, 0) - 1, 1);
            continue;
        case VK_END: case VK_NEXT:
            current = NextSelectable(lines, key->virtualKey == VK_END
                                                ? static_cast<int>(lines.size())
                                                : std::min(current + rows, static_cast<int>(lines.size()) - 1) + 1,
                                     -1);
            continue;
        case VK_RETURN: return current;
        case VK_ESCAPE: return -1;
        case VK_F1:
            if (!menu.helpTopic.empty() && help) help(menu.helpTopic);
            continue;
        case VK_F1 + 9: return -1;  // F10
        default: break;
        }
        if (key->oemChar >= 0x20 && !(key->controlState & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED))) {
            char32_t typed = FoldCase(OemToText(std::string(1, static_cast<char>(key->oemChar)))[0]);
            auto hit = std::find(hotkeys.begin(), hotkeys.end(), typed);
            if (hit != hotkeys.end()) return static_cast<int>(hit - hotkeys.begin());
        }
    }
}

}  // namespace edit
