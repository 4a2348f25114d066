#include "edit/ui/edit_line.hpp"

#include <algorithm>

#include "engine/codepage.hpp"
#include "host/key_input.hpp"

namespace edit {
namespace {

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t'; }

}  // namespace

EditLine::EditLine(std::u32string text, std::size_t maxLength) : maxLength_(maxLength) {
    SetText(std::move(text));
}

void EditLine::SetText(std::u32string text) {
    if (text.size() > maxLength_) text.resize(maxLength_);
    text_ = std::move(text);
    cursor_ = static_cast<int>(text_.size());
}

bool EditLine::Apply(const host::KeyStroke& key, char32_t character) {
    bool ctrl = key.controlState & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED);
    bool alt = key.controlState & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED);
    int size = static_cast<int>(text_.size());
    auto wordLeft = [&]() {
        int at = cursor_;
        while (at > 0 && IsBlank(text_[static_cast<std::size_t>(at - 1)])) --at;
        while (at > 0 && !IsBlank(text_[static_cast<std::size_t>(at - 1)])) --at;
        return at;
    };
    switch (key.virtualKey) {
    case VK_LEFT: cursor_ = ctrl ? wordLeft() : std::max(cursor_ - 1, 0); return true;
    case VK_RIGHT:
        if (ctrl) {
            while (cursor_ < size && !IsBlank(text_[static_cast<std::size_t>(cursor_)])) ++cursor_;
            while (cursor_ < size && IsBlank(text_[static_cast<std::size_t>(cursor_)])) ++cursor_;
        } else {
            cursor_ = std::min(cursor_ + 1, size);
        }
        return true;
    case VK_HOME: cursor_ = 0; return true;
    case VK_END: cursor_ = size; return true;
    case VK_BACK: {
        int from = ctrl ? wordLeft() : std::max(cursor_ - 1, 0);
        text_.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(cursor_ - from));
        cursor_ = from;
        return true;
    }
    case VK_DELETE:
        if (cursor_ < size) text_.erase(static_cast<std::size_t>(cursor_), 1);
        return true;
    default: break;
    }
    if (ctrl && !alt && key.virtualKey == 'Y') {
        text_.clear();
        cursor_ = 0;
        return true;
    }
    // A character: not a control code, and not a Ctrl or Alt shortcut
    // (AltGr, right Alt with left Ctrl, still types).
    if (key.oemChar >= 0x20 && key.oemChar != 0x7F && !host::CommandModifiers(key.controlState)) {
        if (text_.size() >= maxLength_) return true;
        const char32_t typed =
            character != 0 ? character : engine::ToUnicode(engine::CodePage::Oem866, key.oemChar);
        text_.insert(static_cast<std::size_t>(cursor_), 1, typed);
        ++cursor_;
        return true;
    }
    return false;
}

int EditLine::FirstShown(int width) {
    width = std::max(width, 1);
    if (cursor_ < first_) first_ = cursor_;
    if (cursor_ >= first_ + width) first_ = cursor_ - width + 1;
    first_ = std::clamp(first_, 0, std::max(static_cast<int>(text_.size()) - width + 1, 0));
    if (cursor_ < first_) first_ = cursor_;
    return first_;
}

}  // namespace edit
