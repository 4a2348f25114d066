#include "edit/ui/modal_stack.hpp"

#include "edit/terminal/screen.hpp"

namespace edit {

void ModalStack::Repaint() const {
    if (backdrop_) {
        backdrop_();
    } else {
        screen::Clear();
        screen::Cursor(0, 0, false);
    }
    // The cursor is the topmost painter's: a box without a field of its own
    // hides the one of what lies beneath it.
    if (!layers_.empty()) screen::Cursor(0, 0, false);
    for (const Painter& paint : layers_) paint();
    screen::Flush();
}

std::optional<host::KeyStroke> ModalStack::ReadKey() const {
    for (;;) {
        TerminalEvent event = screen::Read(250);
        switch (event.kind) {
        case TerminalEvent::Kind::Key: return event.stroke;
        case TerminalEvent::Kind::Quit: return std::nullopt;
        case TerminalEvent::Kind::Resize: Repaint(); break;
        case TerminalEvent::Kind::None: break;
        // Boxes take keys only: a paste there is refused aloud.
        case TerminalEvent::Kind::Paste: screen::Beep(); break;
        }
    }
}

ModalStack::Layer::Layer(ModalStack& stack, Painter paint) : stack_(stack) {
    stack_.layers_.push_back(std::move(paint));
    ++stack_.changes_;
}

ModalStack::Layer::~Layer() {
    stack_.layers_.pop_back();
    ++stack_.changes_;
}

}  // namespace edit
