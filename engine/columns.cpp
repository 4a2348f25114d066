#include "engine/columns.hpp"

#include <algorithm>
#include <climits>

namespace engine {
namespace {

// A screen column, never negative.
int ScreenClamp(long long column) {
    return static_cast<int>(std::clamp<long long>(column, 0, INT_MAX));
}

int IntClamp(long long column) {
    return static_cast<int>(std::clamp<long long>(column, INT_MIN, INT_MAX));
}

// The UTF-16 units of a character of `bytes` bytes: a four-byte UTF-8
// character lies beyond U+FFFF and takes a surrogate pair.
int Units(std::size_t bytes) { return bytes == 4 ? 2 : 1; }

}  // namespace

long long NextTabStop(long long column, int tabSize) {
    const int size = std::max(1, tabSize);
    return (column / size + 1) * size;
}

LineColumns::LineColumns(std::string_view text, CodePage table, int tabSize)
    : text_(text), table_(table), single_(IsSingleByte(table)), tabSize_(std::max(1, tabSize)) {}

// A character takes one screen column, a tab up to the next tab stop.
ScreenColumn LineColumns::Screen(ByteColumn at) const {
    const int pos = at.Value();
    const int inText = std::min<int>(pos, static_cast<int>(text_.size()));
    const long long tab = tabSize_;
    long long column = 0;
    if (single_) {
        // The cursor's column on every key: one byte a character, no steps.
        for (int i = 0; i < inText; ++i)
            column =
                text_[static_cast<std::size_t>(i)] == '\t' ? (column / tab + 1) * tab : column + 1;
    } else {
        for (int i = 0; i < inText; i += static_cast<int>(Step(static_cast<std::size_t>(i))))
            column = text_[static_cast<std::size_t>(i)] == '\t' ? NextTabStop(column, tabSize_)
                                                                : column + 1;
    }
    return ScreenColumn(ScreenClamp(column + (pos - inText)));
}

ByteColumn LineColumns::Byte(ScreenColumn at) const {
    const int tabPos = at.Value();
    long long column = 0;
    std::size_t i = 0;
    for (; i < text_.size(); i += Step(i)) {
        const long long next = text_[i] == '\t' ? NextTabStop(column, tabSize_) : column + 1;
        if (next > tabPos) return ByteColumn(static_cast<int>(i));
        column = next;
    }
    return ByteColumn(ScreenClamp(static_cast<long long>(i) + (tabPos - column)));
}

template <class Width>
int LineColumns::CountTo(int pos, Width width) const {
    if (single_ || pos < 0) return pos;
    const auto inText = std::min(static_cast<std::size_t>(pos), text_.size());
    long long count = 0;
    for (std::size_t i = 0; i < inText;) {
        const std::size_t length = Step(i);
        count += width(length);
        i += length;
    }
    return IntClamp(count + (pos - static_cast<long long>(inText)));
}

template <class Width>
int LineColumns::ByteOfCount(int count, Width width) const {
    if (single_) return count;
    long long counted = 0;
    std::size_t i = 0;
    while (i < text_.size()) {
        const std::size_t length = Step(i);
        if (counted + width(length) > count) return static_cast<int>(i);
        counted += width(length);
        i += length;
    }
    return IntClamp(static_cast<long long>(i) + (count - counted));
}

Utf16Column LineColumns::Utf16(ByteColumn at) const {
    return Utf16Column(CountTo(at.Value(), Units));
}

ByteColumn LineColumns::Byte(Utf16Column at) const {
    return ByteColumn(ByteOfCount(at.Value(), Units));
}

CharColumn LineColumns::Char(ByteColumn at) const {
    return CharColumn(CountTo(at.Value(), [](std::size_t) { return 1; }));
}

ByteColumn LineColumns::Byte(CharColumn at) const {
    return ByteColumn(ByteOfCount(at.Value(), [](std::size_t) { return 1; }));
}

}  // namespace engine
