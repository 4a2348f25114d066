// The text of one edit field while the user types into it: characters, a
// cursor, and a bound on the length (a field of the module's dialogs holds
// 511 bytes of code page 866 and its terminating zero).
#pragma once

#include <cstddef>
#include <string>

#include "host/key_script.hpp"

namespace edit {

class EditLine {
public:
    explicit EditLine(std::u32string text = {}, std::size_t maxLength = 511);

    const std::u32string& Text() const { return text_; }
    int Cursor() const { return cursor_; }
    void SetText(std::u32string text);  // cursor to the end

    // Applies an editing key: characters, Left, Right, Home, End, BS, Del,
    // Ctrl+BS, Ctrl+Left/Right (words), Ctrl+Y (clear). False for keys it
    // leaves to the dialog. A field that holds any Unicode text passes the
    // character the key typed in full (0 for none), which goes in instead of
    // the stroke's code page 866 form.
    bool Apply(const host::KeyStroke& key, char32_t character = 0);

    // The first character shown in a field `width` cells wide, so that the
    // cursor stays inside; kept from call to call like a scrolled window.
    int FirstShown(int width);

private:
    std::u32string text_;
    std::size_t maxLength_;
    int cursor_ = 0;
    int first_ = 0;
};

}  // namespace edit
