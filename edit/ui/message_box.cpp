#include "edit/ui/message_box.hpp"

#include <algorithm>
#include <optional>

#include "edit/terminal/screen.hpp"
#include "edit/ui/screen_text.hpp"

namespace edit {
namespace {

using screen::Paint;

std::u32string ButtonText(const std::u32string& label) {
    return U" " + ParseHotkey(label).text + U" ";
}

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

namespace {

// The box on the screen: where it stands for the screen's size now, the
// button with the focus, and the keys that move the focus or answer.
class MessageRunner {
public:
    MessageRunner(ModalStack& stack, const MessageSpec& message, const HelpHandler& help)
        : stack_(stack),
          message_(message),
          help_(help),
          count_(static_cast<int>(message.buttons.size())),
          text_(message.warning ? Paint::WarningText : Paint::DialogText),
          focused_(message.warning ? Paint::WarningFocus : Paint::DialogFocus) {}

    int Run() {
        // A box without buttons is a notice: it stays on the screen until
        // something is drawn over it.
        if (count_ == 0) {
            ModalStack::Layer layer(
                stack_, [this] { Draw(); }, ModalStack::Layer::OnClose::Keep);
            stack_.Repaint();
            return -1;
        }
        return stack_.Run([this] { Draw(); },
                          [this](const host::KeyStroke& key) { return Handle(key); });
    }

private:
    struct Frame {
        std::vector<std::u32string> lines;  // the body, broken to the screen's width
        int x1, y1, x2, y2;
        int buttonsWidth;  // the row of buttons with a blank after each
    };

    Frame Place() const {
        Frame f;
        for (const auto& line : message_.lines) {
            for (auto& piece : BreakLine(line, std::max(screen::Width() - 10, 10))) {
                f.lines.push_back(piece);
            }
        }
        int inner = static_cast<int>(message_.title.size()) + 2;
        for (const auto& line : f.lines) inner = std::max(inner, static_cast<int>(line.size()));
        f.buttonsWidth = 0;
        for (const auto& b : message_.buttons) {
            f.buttonsWidth += static_cast<int>(ButtonText(b).size()) + 1;
        }
        inner = std::max(inner, f.buttonsWidth);
        const int width = std::min(inner + 10, screen::Width());
        int height = static_cast<int>(f.lines.size()) + (count_ > 0 ? 2 : 0) + 4;
        height = std::min(height, screen::Height());
        f.x1 = std::max((screen::Width() - width) / 2, 0);
        f.y1 = MessageTop(height, screen::Height(), message_.avoidRow);
        f.x2 = f.x1 + width - 1;
        f.y2 = f.y1 + height - 1;
        return f;
    }

    void Draw() const {
        const Frame f = Place();
        screen::Fill(f.y1, f.x1, f.x2 - f.x1 + 1, U' ', text_);
        screen::Fill(f.y2, f.x1, f.x2 - f.x1 + 1, U' ', text_);
        screen::Shadow(f.x1, f.y1, f.x2, f.y2);
        screen::Box(f.x1 + 3, f.y1 + 1, f.x2 - 3, f.y2 - 1, true, text_);
        for (int y = f.y1 + 1; y < f.y2; ++y) {
            screen::Fill(y, f.x1, 3, U' ', text_);
            screen::Fill(y, f.x2 - 2, 3, U' ', text_);
        }
        // The body's width inside the frame; none at all on a very narrow
        // terminal, where the text is cut rather than drawn past the frame.
        const int room = f.x2 - f.x1 - 9;
        if (!message_.title.empty()) {
            const int titleRoom = std::max(room + 2, 0);
            std::u32string shown = U" " + message_.title + U" ";
            if (static_cast<int>(shown.size()) > titleRoom) {
                shown.resize(static_cast<std::size_t>(titleRoom));
            }
            screen::Put(f.y1 + 1, f.x1 + 4 + (titleRoom - static_cast<int>(shown.size())) / 2,
                        shown, text_);
        }
        int y = f.y1 + 2;
        for (const auto& line : f.lines) {
            if (y >= f.y2 - 1) break;
            std::u32string shown = line;
            if (static_cast<int>(shown.size()) > room)
                shown.resize(static_cast<std::size_t>(std::max(room, 0)));
            const int x = message_.leftAlign
                              ? f.x1 + 5
                              : f.x1 + 5 + (room - static_cast<int>(shown.size())) / 2;
            screen::Put(y++, x, shown, text_);
        }
        if (count_ > 0) DrawButtons(f);
    }

    void DrawButtons(const Frame& f) const {
        const int by = f.y2 - 2;
        screen::Put(by - 1, f.x1 + 3, U'╟', text_);
        screen::Fill(by - 1, f.x1 + 4, f.x2 - f.x1 - 7, U'─', text_);
        screen::Put(by - 1, f.x2 - 3, U'╢', text_);
        int x = f.x1 + (f.x2 - f.x1 + 1 - f.buttonsWidth + 1) / 2;
        for (int i = 0; i < count_; ++i) {
            const std::u32string& button = message_.buttons[static_cast<std::size_t>(i)];
            const std::u32string shown = ButtonText(button);
            screen::Put(by, x, shown, i == focus_ ? focused_ : text_);
            const HotkeyLabel label = ParseHotkey(button);
            if (label.hotkey >= 0 && !message_.warning && i != focus_) {
                screen::Put(by, x + 1 + label.hotkey,
                            label.text[static_cast<std::size_t>(label.hotkey)],
                            Paint::DialogHotkey);
            }
            if (i == focus_) screen::Cursor(by, x + 1, false);
            x += static_cast<int>(shown.size()) + 1;
        }
    }

    // The button pressed or -1 when the key closes the box; nothing to go on.
    std::optional<int> Handle(const host::KeyStroke& key) {
        const int back = (focus_ + count_ - 1) % count_, next = (focus_ + 1) % count_;
        switch (key.virtualKey) {
        case VK_LEFT:
        case VK_UP: focus_ = back; return std::nullopt;
        case VK_RIGHT:
        case VK_DOWN: focus_ = next; return std::nullopt;
        case VK_TAB: focus_ = (key.controlState & SHIFT_PRESSED) ? back : next; return std::nullopt;
        case VK_RETURN: return focus_;
        case VK_ESCAPE:
        case VK_F1 + 9: return -1;  // Esc, F10
        case VK_F1:
            if (!message_.helpTopic.empty() && help_) help_(message_.helpTopic);
            return std::nullopt;
        default: break;
        }
        if (key.oemChar == ' ') return focus_;
        if (key.oemChar > ' ') {
            const char32_t typed =
                FoldCase(OemToText(std::string(1, static_cast<char>(key.oemChar)))[0]);
            for (int i = 0; i < count_; ++i) {
                const HotkeyLabel label =
                    ParseHotkey(message_.buttons[static_cast<std::size_t>(i)]);
                if (label.hotkey >= 0 &&
                    FoldCase(label.text[static_cast<std::size_t>(label.hotkey)]) == typed) {
                    return i;
                }
            }
        }
        return std::nullopt;
    }

    ModalStack& stack_;
    const MessageSpec& message_;
    const HelpHandler& help_;
    const int count_;  // of buttons
    const Paint text_, focused_;
    int focus_ = 0;  // the button Enter presses
};

}  // namespace

int RunMessage(ModalStack& stack, const MessageSpec& message, const HelpHandler& help) {
    return MessageRunner(stack, message, help).Run();
}

}  // namespace edit
