// What the screen's input delivers: a key, a paste, a resize, the end of the
// session, or nothing within the time asked for.
#pragma once

#include <string>

#include "host/key_script.hpp"

namespace edit {

struct TerminalEvent {
    enum class Kind {
        Key,     // `stroke` holds the key
        Paste,   // `text` holds what the terminal pasted (bracketed paste)
        Resize,  // the window changed size: draw again
        Quit,    // SIGINT, SIGTERM or SIGHUP arrived
        None,    // nothing within the time asked for
    };
    Kind kind = Kind::None;
    host::KeyStroke stroke;
    // For a typed character (no Ctrl or Alt), the character itself: the
    // stroke carries its code page 866 form, or '?' where 866 lacks it, as
    // the console does for a character outside its code page.
    char32_t character = 0;
    std::string text;  // UTF-8, the line breaks as the terminal sent them
};

}  // namespace edit
