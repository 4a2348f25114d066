#include "edit/ui/message_box.hpp"

#include <algorithm>

#include "edit/terminal/screen.hpp"
#include "edit/ui/screen_text.hpp"

namespace edit {
namespace {

using screen::Paint;

std::u32string ButtonText(const std::u32string& label) { return U" " + ParseHotkey(label).text + U" "; }

}  // namespace

std::vector<std::u32string> BreakLine(const std::u32string& line, int width) {
    width = std::max(width, 1);
    std::vector<std::u32string> pieces;
    std::u32string rest = line;
    while (static_cast<int>(rest.size()) > width) {
        std::size_t cut = rest.rfind(U' ', static_cast<std::size_t>(width));
        if (cut == std::u32string::npos || cut == 0) {
            pieces.push_back(rest.substr(0, static_cast<std::size_t>(width)));
            rest.erase(0, static_cast<std::size_t>(width));
        } else {
            pieces.push_back(rest.substr(0, cut));
            rest.erase(0, cut + 1);
        }
    }
    pieces.push_back(rest);
    return pieces;
}

int MessageTop(int height, int screenHeight, int avoidRow) {
    const int centred = std::max((screenHeight - height) / 2, 0);
    // The rows the box and its shadow take from `top` on.
    auto covers = [&](int top) { return avoidRow >= top && avoidRow <= top + height; };
    if (avoidRow < 0 || !covers(centred)) return centred;
    const int below = avoidRow + 1, above = avoidRow - height - 1;
    const bool belowFits = below + height < screenHeight, aboveFits = above >= 0;
    if (avoidRow < screenHeight / 2) return belowFits ? below : aboveFits ? above : centred;
    return aboveFits ? above : belowFits ? below : centred;
}

int RunMessage(ModalStack& stack, const MessageSpec& message, const HelpHandler& help) {
    int focus = 0;
    int buttonCount = static_cast<int>(message.buttons.size());
    Paint text = message.warning ? Paint::WarningText : Paint::DialogText;
    Paint focused = message.warning ? Paint::WarningFocus : Paint::DialogFocus;

    auto paint = [&]() {
        std::vector<std::u32string> lines;
        for (const auto& line : message.lines) {
            for (auto& piece : BreakLine(line, std::max(screen::Width() - 10, 10))) lines.push_back(piece);
        }
        int inner = static_cast<int>(message.title.size()) + 2;
        for (const auto& line : lines) inner = std::max(inner, static_cast<int>(line.size()));
        int buttonsWidth = 0;
        for (const auto& b : message.buttons) buttonsWidth += static_cast<int>(ButtonText(b).size()) + 1;
        inner = std::max(inner, buttonsWidth);
        int width = std::min(inner + 10, screen::Width());
        int height = static_cast<int>(lines.size()) + (buttonCount > 0 ? 2 : 0) + 4;
        height = std::min(height, screen::Height());
        int x1 = std::max((screen::Width() - width) / 2, 0);
        int y1 = MessageTop(height, screen::Height(), message.avoidRow);
        int x2 = x1 + width - 1, y2 = y1 + height - 1;
        screen::Fill(y1, x1, width, U' ', text);
        screen::Fill(y2, x1, width, U' ', text);
        screen::Shadow(x1, y1, x2, y2);
        screen::Box(x1 + 3, y1 + 1, x2 - 3, y2 - 1, true, text);
        for (int y = y1 + 1; y < y2; ++y) {
            screen::Fill(y, x1, 3, U' ', text);
            screen::Fill(y, x2 - 2, 3, U' ', text);
        }
        int room = x2 - x1 - 9;
        auto centre = [&](int y, std::u32string shown) {
            if (static_cast<int>(shown.size()) > room + 2) shown.resize(static_cast<std::size_t>(room + 2));
            screen::Put(y, x1 + 4 + (room + 2 - static_cast<int>(shown.size())) / 2, shown, text);
        };
        if (!message.title.empty()) centre(y1 + 1, U" " + message.title + U" ");
        int y = y1 + 2;
        for (const auto& line : lines) {
            if (y >= y2 - 1) break;
            std::u32string shown = line;
            if (static_cast<int>(shown.size()) > room) shown.resize(static_cast<std::size_t>(std::max(room, 0)));
            int x = message.leftAlign ? x1 + 5 : x1 + 5 + (room - static_cast<int>(shown.size())) / 2;
            screen::Put(y++, x, shown, text);
        }
        if (buttonCount == 0) return;
        int by = y2 - 2;
        screen::Put(by - 1, x1 + 3, U'╟', text);
        screen::Fill(by - 1, x1 + 4, x2 - x1 - 7, U'─', text);
        screen::Put(by - 1, x2 - 3, U'╢', text);
        int x = x1 + (width - buttonsWidth + 1) / 2;
        for (int i = 0; i < buttonCount; ++i) {
            std::u32string shown = ButtonText(message.buttons[static_cast<std::size_t>(i)]);
            Paint base = i == focus ? focused : text;
            screen::Put(by, x, shown, base);
            HotkeyLabel label = ParseHotkey(message.buttons[static_cast<std::size_t>(i)]);
            if (label.hotkey >= 0 && !message.warning && i != focus) {
                screen::Put(by, x + 1 + label.hotkey, label.text[static_cast<std::size_t>(label.hotkey)],
                            Paint::DialogHotkey);
            }
            if (i == focus) screen::Cursor(by, x + 1, false);
            x += static_cast<int>(shown.size()) + 1;
        }
    };

    ModalStack::Layer layer(stack, paint);
    if (buttonCount == 0) {
        stack.Repaint();
        return -1;
    }
    for (;;) {
        stack.Repaint();
        auto key = stack.ReadKey();
        if (!key) return -1;
        switch (key->virtualKey) {
        case VK_LEFT: case VK_UP: focus = (focus + buttonCount - 1) % buttonCount; continue;
        case VK_RIGHT: case VK_DOWN: focus = (focus + 1) % buttonCount; continue;
        case VK_TAB:
            focus = (key->controlState & SHIFT_PRESSED) ? (focus + buttonCount - 1) % buttonCount
                                                        : (focus + 1) % buttonCount;
            continue;
        case VK_RETURN: return focus;
        case VK_ESCAPE: case VK_F1 + 9: return -1;
        case VK_F1:
            if (!message.helpTopic.empty() && help) help(message.helpTopic);
            continue;
        default: break;
        }
        if (key->oemChar == ' ') return focus;
        if (key->oemChar > ' ') {
            char32_t typed = FoldCase(OemToText(std::string(1, static_cast<char>(key->oemChar)))[0]);
            for (int i = 0; i < buttonCount; ++i) {
                HotkeyLabel label = ParseHotkey(message.buttons[static_cast<std::size_t>(i)]);
                if (label.hotkey >= 0 && FoldCase(label.text[static_cast<std::size_t>(label.hotkey)]) == typed) {
                    return i;
                }
            }
        }
    }
}

}  // namespace edit
