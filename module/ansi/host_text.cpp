#include "module/ansi/host_text.hpp"

#include <cstring>

#include "module/ansi/host_info.hpp"

namespace marten::ansi {

const char* MsgOrEmpty(MsgId id) {
    const char* text = MsgText(id);
    return text != nullptr ? text : "";
}

std::size_t BoundedLength(const char* text, std::size_t limit) {
    std::size_t length = 0;
    if (text != nullptr) {
        while (length < limit && text[length] != '\0') ++length;
    }
    return length;
}

void CopyBounded(char* dest, std::size_t room, const char* text) {
    if (room == 0) return;
    const std::size_t length = BoundedLength(text, room - 1);
    if (length > 0) std::memcpy(dest, text, length);
    dest[length] = '\0';
}

}  // namespace marten::ansi
