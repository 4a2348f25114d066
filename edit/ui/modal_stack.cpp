#include "edit/ui/modal_stack.hpp"

#include <exception>

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
        case TerminalEvent::Kind::Key: lastCharacter_ = event.character; return event.stroke;
        case TerminalEvent::Kind::Quit: ended_ = true; return std::nullopt;
        case TerminalEvent::Kind::Resize: Repaint(); break;
        case TerminalEvent::Kind::None: break;
        // Boxes take keys only: a paste there is refused aloud.
        case TerminalEvent::Kind::Paste: screen::Beep(); break;
        }
    }
}

int ModalStack::Run(Painter paint, const KeyHandler& handle) {
    Layer layer(*this, std::move(paint));
    for (;;) {
        Repaint();
        auto key = ReadKey();
        if (!key) return -1;
        if (auto answer = handle(*key)) return *answer;
    }
}

ModalStack::Layer::Layer(ModalStack& stack, Painter paint, OnClose onClose)
    : stack_(stack), onClose_(onClose) {
    stack_.layers_.push_back(std::move(paint));
    ++stack_.changes_;
}

ModalStack::Layer::~Layer() {
    stack_.layers_.pop_back();
    ++stack_.changes_;
    // Not while an error unwinds the boxes: the caller reports it instead.
    if (onClose_ == OnClose::Repaint && !stack_.ended_ && std::uncaught_exceptions() == 0)
        stack_.Repaint();
}

}  // namespace edit
