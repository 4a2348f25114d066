// The stack of boxes on the screen: the editor underneath, then each open
// menu, dialog, message box or help window in the order they opened. Any of
// them can repaint the whole stack, which is how a resize is survived.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "host/key_script.hpp"

namespace edit {

class ModalStack {
public:
    using Painter = std::function<void()>;

    // What lies under every box (the editor's screen).
    void SetBackdrop(Painter paint) { backdrop_ = std::move(paint); }

    // Paints the backdrop and every open box, bottom up, then shows it.
    void Repaint() const;

    // True while no box is open.
    bool Empty() const { return layers_.empty(); }
    // Counts the boxes opened and closed so far: a backdrop that draws only
    // what changed must draw everything again once this moves on, since a
    // box that closed leaves its cells behind.
    unsigned Changes() const { return changes_; }

    // Waits for the next key, repainting on a resize; nothing when the program
    // is asked to end (a box then closes as if the user left it).
    std::optional<host::KeyStroke> ReadKey() const;
    // The character the key last read typed, in full (the stroke holds only
    // its code page 866 form, '?' where 866 lacks it); 0 when it typed none.
    char32_t LastCharacter() const { return lastCharacter_; }

    // What a box does with a key: its answer when the key closes it,
    // nothing when it stays open.
    using KeyHandler = std::function<std::optional<int>(const host::KeyStroke&)>;

    // Opens a box that `paint` draws and hands it every key until `handle`
    // answers; -1 when the program is asked to end first.
    int Run(Painter paint, const KeyHandler& handle);

    // A box on the stack for as long as the layer lives.
    class Layer {
    public:
        // What the screen shows once the box is gone: what lies beneath it
        // at once, or, for a notice that the caller leaves in sight while it
        // works, the box until something is drawn over it.
        enum class OnClose { Repaint, Keep };

        Layer(ModalStack& stack, Painter paint, OnClose onClose = OnClose::Repaint);
        ~Layer();
        Layer(const Layer&) = delete;
        Layer& operator=(const Layer&) = delete;

    private:
        ModalStack& stack_;
        OnClose onClose_;
    };

private:
    Painter backdrop_;
    std::vector<Painter> layers_;
    unsigned changes_ = 0;
    // The program was asked to end: a box that closes then draws nothing.
    mutable bool ended_ = false;
    mutable char32_t lastCharacter_ = 0;
};

}  // namespace edit
