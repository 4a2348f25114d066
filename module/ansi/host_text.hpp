// Message texts as the configuration hands them to the host's services.
#pragma once

#include <cstddef>

#include "module/ui/messages.hpp"

namespace marten::ansi {

// The host's text for `id`; a null answer (no GetMsg, or no such message)
// reads as the empty text.
const char* MsgOrEmpty(MsgId id);

// Copies at most room - 1 bytes of `text` (null reads as empty) into `dest`
// and terminates it, so a fixed field of the host's records never overflows.
void CopyBounded(char* dest, std::size_t room, const char* text);

// Length of `text` up to its NUL, but at most `limit`: reads a field that the
// host may have filled to the brim without a terminator.
std::size_t BoundedLength(const char* text, std::size_t limit);

}  // namespace marten::ansi
