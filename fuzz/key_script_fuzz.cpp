// Key scripts from the command line of marten-edit: any bytes parse into
// strokes or fail with a message that names a position inside the script.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/key_script.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto strokes = host::ParseKeyScript(script, &error);
    if (!strokes) {
        const std::size_t at = error.find("position ");
        if (at != 0) std::abort();  // every failure starts by naming its position
        const long position = std::strtol(error.c_str() + 9, nullptr, 10);
        if (position < 1 || static_cast<std::size_t>(position) > size + 1) std::abort();
        return 0;
    }
    if (strokes->size() > size) std::abort();  // a stroke takes at least one byte
    for (const host::KeyStroke& stroke : *strokes) {
        const INPUT_RECORD down = host::KeyDownRecord(stroke);
        const INPUT_RECORD up = host::KeyUpRecord(stroke);
        if (down.EventType != KEY_EVENT || !down.Event.KeyEvent.bKeyDown || up.Event.KeyEvent.bKeyDown)
            std::abort();
    }
    return 0;
}
