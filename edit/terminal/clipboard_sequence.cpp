#include "edit/terminal/clipboard_sequence.hpp"

namespace edit {

std::string Base64(std::string_view bytes) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                           static_cast<unsigned char>(bytes[i + 1]) << 8 | static_cast<unsigned char>(bytes[i + 2]);
        out += {kDigits[v >> 18], kDigits[(v >> 12) & 63], kDigits[(v >> 6) & 63], kDigits[v & 63]};
    }
    if (const std::size_t rest = bytes.size() - i; rest > 0) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += {kDigits[v >> 18], kDigits[(v >> 12) & 63], rest == 2 ? kDigits[(v >> 6) & 63] : '=', '='};
    }
    return out;
}

std::optional<std::string> ClipboardSequence(std::string_view utf8) {
    if (utf8.size() > kClipboardSequenceMax) return std::nullopt;
    return "\x1b]52;c;" + Base64(utf8) + "\a";
}

}  // namespace edit
