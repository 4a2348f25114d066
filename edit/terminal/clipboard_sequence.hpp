// The OSC 52 sequence that hands text to a terminal's clipboard (xterm,
// tmux with set-clipboard, most terminal emulators): ESC ] 52 ; c ; the text
// in base64, BEL.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace edit {

// Larger texts stay in the editor's own clipboard only: terminals cut such
// sequences short or drop them, and a cut copy is worse than none.
inline constexpr std::size_t kClipboardSequenceMax = std::size_t{1} << 20;

std::string Base64(std::string_view bytes);

// The sequence for `utf8`, or nothing when the text is too large to send.
std::optional<std::string> ClipboardSequence(std::string_view utf8);

}  // namespace edit
