#include "engine/line_store.hpp"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>
#include <utility>

namespace engine {

namespace {

// A line's text has at most this many bytes: columns are ints everywhere.
constexpr std::size_t kMaxLineSize = std::numeric_limits<std::int32_t>::max();
constexpr std::uint8_t kSmallestBlockLog2 = 4;

// The block size (as a power of two) that holds `size` bytes and a zero.
std::uint8_t BlockLog2For(std::size_t size) {
    const auto log2 = static_cast<std::uint8_t>(std::bit_width(size));  // 2^log2 > size
    return std::max(log2, kSmallestBlockLog2);
}

}  // namespace

const char* EolChars(Eol eol) {
    switch (eol) {
    case Eol::CrLf: return "\r\n";
    case Eol::Lf: return "\n";
    case Eol::Cr: return "\r";
    case Eol::None: break;
    }
    return "";
}

std::optional<Eol> EolOf(std::string_view text) {
    if (text.empty()) return Eol::None;
    if (text == "\r\n") return Eol::CrLf;
    if (text == "\n") return Eol::Lf;
    if (text == "\r") return Eol::Cr;
    return std::nullopt;
}

// ---------------------------------------------------------------------------
// StoredLine
// ---------------------------------------------------------------------------

StoredLine StoredLine::Span(const char* text, std::size_t size, Eol eol) {
    assert(text[size] == '\0');
    if (size > kMaxLineSize) throw std::length_error("a line longer than 2 GiB");
    StoredLine line;
    line.data_ = text;
    line.size_ = static_cast<std::uint32_t>(size);
    line.eol_ = eol;
    return line;
}

StoredLine StoredLine::Copy(std::string_view text, Eol eol) {
    StoredLine line;
    line.eol_ = eol;
    if (!text.empty()) line.Splice(0, 0, text);
    return line;
}

StoredLine StoredLine::Duplicate() const {
    return capacityLog2_ == 0 ? Span(data_, size_, eol_) : Copy(Text(), eol_);
}

StoredLine::StoredLine(StoredLine&& other) noexcept
    : data_(other.data_), size_(other.size_), eol_(other.eol_), capacityLog2_(other.capacityLog2_) {
    other.data_ = "";
    other.size_ = 0;
    other.eol_ = Eol::None;
    other.capacityLog2_ = 0;
}

StoredLine& StoredLine::operator=(StoredLine&& other) noexcept {
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, "");
        size_ = std::exchange(other.size_, 0);
        eol_ = std::exchange(other.eol_, Eol::None);
        capacityLog2_ = std::exchange(other.capacityLog2_, 0);
    }
    return *this;
}

StoredLine::~StoredLine() { Release(); }

void StoredLine::Release() noexcept {
    if (capacityLog2_ != 0) delete[] const_cast<char*>(data_);
    data_ = "";
    capacityLog2_ = 0;
}

void StoredLine::Splice(std::size_t pos, std::size_t count, std::string_view insert,
                        std::size_t fill, char fillChar) {
    assert(pos <= size_ && count <= size_ - pos);
    const std::size_t added = insert.size() + fill;
    if (added > kMaxLineSize || size_ - count > kMaxLineSize - added)
        throw std::length_error("a line longer than 2 GiB");
    const std::size_t newSize = size_ - count + added;
    const std::size_t tail = size_ - pos - count;

    if (newSize == 0) {
        Release();
        size_ = 0;
        return;
    }
    // Text that points into this line's own block must be kept apart before it moves.
    std::string kept;
    const std::less<const char*> before;
    if (!insert.empty() && !before(insert.data(), data_) && !before(data_ + size_, insert.data())) {
        kept.assign(insert);
        insert = kept;
    }

    const std::size_t capacity = HeapBytes();
    // Grows by doubling; gives back room only when three quarters of it lie idle.
    const bool inPlace =
        capacity != 0 && newSize < capacity &&
        (capacity == (std::size_t{1} << kSmallestBlockLog2) || newSize + 1 > capacity / 4);
    char* block = nullptr;
    if (inPlace) {
        block = const_cast<char*>(data_);
        std::memmove(block + pos + added, block + pos + count, tail);
    } else {
        const std::uint8_t log2 = BlockLog2For(newSize);
        block = new char[std::size_t{1} << log2];
        std::memcpy(block, data_, pos);
        std::memcpy(block + pos + added, data_ + pos + count, tail);
        Release();
        capacityLog2_ = log2;
    }
    if (!insert.empty()) std::memcpy(block + pos, insert.data(), insert.size());
    if (fill != 0) std::memset(block + pos + insert.size(), fillChar, fill);
    block[newSize] = '\0';
    data_ = block;
    size_ = static_cast<std::uint32_t>(newSize);
}

// ---------------------------------------------------------------------------
// LineStore
// ---------------------------------------------------------------------------

LineStore::LineStore(std::string bytes) : file_(std::move(bytes)) {
    // Counted first, so that the slots are allocated once, at their size.
    std::size_t ends = 0;
    const std::size_t size = file_.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = file_[i];
        if (c == '\n' || (c == '\r' && (i + 1 == size || file_[i + 1] != '\n'))) ++ends;
    }
    slots_.reserve(ends + 1 + 16);

    char* bytesAt = file_.data();
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = bytesAt[i];
        if (c != '\r' && c != '\n') continue;
        Eol eol = c == '\n' ? Eol::Lf : Eol::Cr;
        std::size_t eolLength = 1;
        if (c == '\r' && i + 1 < size && bytesAt[i + 1] == '\n') {
            eol = Eol::CrLf;
            eolLength = 2;
        }
        bytesAt[i] = '\0';  // the zero after the line's text
        slots_.push_back(StoredLine::Span(bytesAt + start, i - start, eol));
        i += eolLength - 1;
        start = i + 1;
    }
    slots_.push_back(StoredLine::Span(bytesAt + start, size - start, Eol::None));
    gapBegin_ = gapEnd_ = slots_.size();
}

void LineStore::Insert(int n, StoredLine line) {
    assert(n >= 0 && n <= Count());
    ++version_;
    MoveGapTo(static_cast<std::size_t>(n));
    if (GapSize() == 0) Grow();
    slots_[gapBegin_++] = std::move(line);
}

StoredLine LineStore::Take(int n) {
    assert(n >= 0 && n < Count());
    ++version_;
    MoveGapTo(static_cast<std::size_t>(n));
    return std::move(slots_[gapEnd_++]);
}

// Shifts the gap so that it begins before line n.
void LineStore::MoveGapTo(std::size_t n) {
    if (n < gapBegin_) {
        const std::size_t count = gapBegin_ - n;
        std::move_backward(slots_.begin() + static_cast<std::ptrdiff_t>(n),
                           slots_.begin() + static_cast<std::ptrdiff_t>(gapBegin_),
                           slots_.begin() + static_cast<std::ptrdiff_t>(gapEnd_));
        gapBegin_ -= count;
        gapEnd_ -= count;
        moves_ += count;
    } else if (n > gapBegin_) {
        const std::size_t count = n - gapBegin_;
        std::move(slots_.begin() + static_cast<std::ptrdiff_t>(gapEnd_),
                  slots_.begin() + static_cast<std::ptrdiff_t>(gapEnd_ + count),
                  slots_.begin() + static_cast<std::ptrdiff_t>(gapBegin_));
        gapBegin_ += count;
        gapEnd_ += count;
        moves_ += count;
    }
}

// Doubles the room, keeping the gap where it is.
void LineStore::Grow() {
    const std::size_t held = slots_.size() - GapSize();
    const std::size_t newSize = std::max<std::size_t>(16, 2 * slots_.size());
    std::vector<StoredLine> grown(newSize);
    std::move(slots_.begin(), slots_.begin() + static_cast<std::ptrdiff_t>(gapBegin_),
              grown.begin());
    const std::size_t tail = held - gapBegin_;
    std::move(slots_.end() - static_cast<std::ptrdiff_t>(tail), slots_.end(),
              grown.end() - static_cast<std::ptrdiff_t>(tail));
    moves_ += held;
    gapEnd_ = newSize - tail;
    slots_ = std::move(grown);
}

}  // namespace engine
