#include "host/line_store.hpp"

#include <algorithm>
#include <cassert>
#include <utility>

namespace host {

LineStore::LineStore(std::vector<Line> lines) {
    slots_.reserve(lines.size() + 16);
    for (Line& line : lines) slots_.push_back(std::make_unique<Line>(std::move(line)));
    gapBegin_ = gapEnd_ = slots_.size();
}

void LineStore::Insert(int n, Line line) {
    assert(n >= 0 && n <= Count());
    MoveGapTo(static_cast<std::size_t>(n));
    if (GapSize() == 0) Grow();
    slots_[gapBegin_++] = std::make_unique<Line>(std::move(line));
}

void LineStore::Erase(int n) {
    assert(n >= 0 && n < Count());
    MoveGapTo(static_cast<std::size_t>(n));
    slots_[gapEnd_++].reset();
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
    std::vector<std::unique_ptr<Line>> grown(newSize);
    std::move(slots_.begin(), slots_.begin() + static_cast<std::ptrdiff_t>(gapBegin_),
              grown.begin());
    const std::size_t tail = held - gapBegin_;
    std::move(slots_.end() - static_cast<std::ptrdiff_t>(tail), slots_.end(),
              grown.end() - static_cast<std::ptrdiff_t>(tail));
    moves_ += held;
    gapEnd_ = newSize - tail;
    slots_ = std::move(grown);
}

}  // namespace host
