#include "edit/terminal/grid_screen.hpp"

#include <stdexcept>

#include "edit/terminal/key_table.hpp"
#include "engine/utf8.hpp"

namespace edit {

GridScreen::GridScreen(int width, int height)
    : width_(width), height_(height), cells_(static_cast<std::size_t>(width * height)) {}

void GridScreen::Set(int y, int x, char32_t ch, screen::Paint paint) {
    if (y < 0 || y >= height_ || x < 0 || x >= width_) return;
    cells_[static_cast<std::size_t>(y * width_ + x)] = {ch, paint};
}

const GridScreen::Cell& GridScreen::CellAt(int y, int x) const {
    static const Cell outside;
    if (y < 0 || y >= height_ || x < 0 || x >= width_) return outside;
    return cells_[static_cast<std::size_t>(y * width_ + x)];
}

void GridScreen::Cursor(int y, int x, bool visible) {
    cursorVisible_ = visible;
    if (visible) cursorY_ = y, cursorX_ = x;
}

void GridScreen::Clear() { cells_.assign(cells_.size(), Cell{}); }

TerminalEvent GridScreen::Read(int /*timeoutMs*/) {
    for (;;) {
        TerminalEvent event;
        if (script_.empty()) {
            event.kind = TerminalEvent::Kind::Quit;
            return event;
        }
        if (script_.front().step && !idle_) {
            idle_ = true;
            return event;
        }
        idle_ = false;
        Entry entry = std::move(script_.front());
        script_.pop_front();
        if (entry.step) {
            entry.step();
            continue;
        }
        if (entry.event.kind == TerminalEvent::Kind::Resize) {
            width_ = entry.width, height_ = entry.height;
            cells_.assign(static_cast<std::size_t>(width_ * height_), Cell{});
        }
        return entry.event;
    }
}

void GridScreen::Keys(std::string_view script) {
    std::string error;
    auto strokes = host::ParseKeyScript(script, &error);
    if (!strokes)
        throw std::invalid_argument("key script \"" + std::string(script) + "\": " + error);
    for (const host::KeyStroke& stroke : *strokes) {
        Entry entry;
        entry.event.kind = TerminalEvent::Kind::Key;
        entry.event.stroke = stroke;
        script_.push_back(std::move(entry));
    }
}

void GridScreen::Type(std::string_view utf8) {
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t ch;
        std::size_t length;
        if (!engine::DecodeUtf8(utf8.substr(at), ch, length))
            throw std::invalid_argument("typed text is not UTF-8");
        at += length;
        // As the terminal's reader does: a character 866 lacks travels as '?'.
        auto stroke = StrokeForCharacter(ch);
        if (!stroke) stroke = StrokeForCharacter(U'?');
        Entry entry;
        entry.event.kind = TerminalEvent::Kind::Key;
        entry.event.stroke = *stroke;
        entry.event.character = ch;
        script_.push_back(std::move(entry));
    }
}

void GridScreen::Paste(std::string utf8) {
    Entry entry;
    entry.event.kind = TerminalEvent::Kind::Paste;
    entry.event.text = std::move(utf8);
    script_.push_back(std::move(entry));
}

void GridScreen::Resize(int width, int height) {
    Entry entry;
    entry.event.kind = TerminalEvent::Kind::Resize;
    entry.width = width, entry.height = height;
    script_.push_back(std::move(entry));
}

void GridScreen::Then(std::function<void()> step) {
    Entry entry;
    entry.step = std::move(step);
    script_.push_back(std::move(entry));
}

std::string GridScreen::Row(int y) const {
    std::u32string row;
    for (int x = 0; x < width_; ++x) row.push_back(CellAt(y, x).ch);
    row.erase(row.find_last_not_of(U' ') + 1);
    std::string out;
    for (char32_t ch : row) engine::AppendUtf8(out, ch);
    return out;
}

std::string GridScreen::Text() const {
    std::string text;
    for (int y = 0; y < height_; ++y) text += Row(y) + "\n";
    return text;
}

bool GridScreen::Shows(std::string_view utf8) const {
    return Text().find(utf8) != std::string::npos;
}

}  // namespace edit
