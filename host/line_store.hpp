// The editor's lines in a gap buffer: inserting or removing a line costs time
// in proportion to its distance from the previous edit, not to the length of
// the document, so that a wrap that inserts many lines one after another at
// the cursor stays linear.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "host/editor.hpp"

namespace host {

class LineStore {
public:
    explicit LineStore(std::vector<Line> lines);

    int Count() const { return static_cast<int>(slots_.size() - GapSize()); }
    // 0 <= n < Count(). A line keeps its address while it exists, whatever
    // is inserted or removed around it, so a text handed out stays valid
    // until that line itself changes.
    const Line& At(int n) const { return *slots_[Slot(n)]; }
    Line& At(int n) { return *slots_[Slot(n)]; }

    // Inserts `line` before line n (0 <= n <= Count()).
    void Insert(int n, Line line);
    // Removes line n (0 <= n < Count()).
    void Erase(int n);

    // Slots moved to shift the gap since construction; tests use it to see
    // that a run of edits in one place does not move the whole document.
    std::size_t Moves() const { return moves_; }

private:
    std::size_t GapSize() const { return gapEnd_ - gapBegin_; }
    std::size_t Slot(int n) const {
        const auto i = static_cast<std::size_t>(n);
        return i < gapBegin_ ? i : i + GapSize();
    }
    void MoveGapTo(std::size_t n);
    void Grow();

    // Lines [0, gapBegin_) and [gapEnd_, size) are held; the slots in the gap are empty.
    std::vector<std::unique_ptr<Line>> slots_;
    std::size_t gapBegin_ = 0;
    std::size_t gapEnd_ = 0;
    std::size_t moves_ = 0;
};

}  // namespace host
