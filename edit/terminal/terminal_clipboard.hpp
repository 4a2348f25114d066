// marten-edit's clipboard: the editor's own, whose copies also reach the
// terminal's clipboard (OSC 52) where the terminal takes them. What the
// terminal's clipboard holds cannot be read back; it comes in as a paste.
#pragma once

#include "edit/terminal/terminal.hpp"
#include "engine/clipboard.hpp"

namespace edit {

class TerminalClipboard : public engine::MemoryClipboard {
public:
    void SetText(std::string_view utf8) override {
        engine::MemoryClipboard::SetText(utf8);
        Terminal::SendToClipboard(utf8);
    }
};

}  // namespace edit
