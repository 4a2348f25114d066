// The clipboard that the editor's copy, cut and paste use. It holds UTF-8
// text with "\n" between lines: independent of any document's table, so
// that text copied from a file in one code page pastes into another (or the
// same file after F8) unchanged, and what a terminal's clipboard (OSC 52)
// and its paste carry is the same text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace engine {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The text held, nothing when the clipboard is empty.
    virtual std::optional<std::string> GetText() = 0;
    virtual void SetText(std::string_view utf8) = 0;
};

// A clipboard in memory, for tests and the batch mode.
class MemoryClipboard : public Clipboard {
public:
    std::optional<std::string> GetText() override { return text_; }
    void SetText(std::string_view utf8) override { text_ = std::string(utf8); }

private:
    std::optional<std::string> text_;
};

}  // namespace engine
