// The parts of the reflow that do not depend on the characters of a line:
// the letter table, the margin, and the two ways of breaking a paragraph.
#include "module/editor/reflow.hpp"

#include <algorithm>
#include <limits>

namespace marten {
namespace {

struct LetterRange {
    char32_t first;
    char32_t last;
};

#include "module/editor/letter_table.inc"

constexpr std::size_t kFallbackMargin = 78;

using Cost = std::uint64_t;
constexpr Cost kMostCost = std::numeric_limits<Cost>::max();

// Costs add up without wrapping round: a sum past the largest cost stays
// there (only a margin of billions of columns gets near it).
Cost AddCost(Cost a, Cost b) { return a > kMostCost - b ? kMostCost : a + b; }

Cost Square(std::size_t free) {
    if (free > 0xFFFFFFFFu) return kMostCost;
    return static_cast<Cost>(free) * static_cast<Cost>(free);
}

// The geometry of a paragraph's pieces: where each line would end.
class Pieces {
public:
    Pieces(std::span<const std::size_t> widths, const BreakLayout& layout, IndexList& sums)
        : layout_(layout), sums_(sums) {
        sums_.assign(widths.size() + 1, 0);
        for (std::size_t k = 0; k < widths.size(); ++k) sums_[k + 1] = sums_[k] + widths[k] + 1;
    }

    std::size_t Count() const { return sums_.size() - 1; }
    std::size_t Head(std::size_t i) const { return i == 0 ? layout_.firstHead : layout_.head; }
    // The columns of a line of pieces [i, j), its prefix included.
    std::size_t Width(std::size_t i, std::size_t j) const {
        return Head(i) + sums_[j] - sums_[i] - 1;
    }
    bool Fits(std::size_t i, std::size_t j) const { return Width(i, j) <= layout_.margin; }
    // A piece that does not fit even alone: it stands alone on its line.
    bool TooWide(std::size_t i) const { return !Fits(i, i + 1); }
    std::size_t Margin() const { return layout_.margin; }

private:
    const BreakLayout& layout_;
    IndexList& sums_;  // sums_[k]: the columns of pieces [0, k), one blank after each
};

// The least-raggedness breaking of a run of pieces [s, e) that each fit
// alone: for every start i, best_[i] is the end of its line that gives the
// least cost from i on, the longest line of equal choices.
//
// The cost of a line satisfies the quadrangle inequality (the square of the
// free columns is convex in the line's width, and the free last line and the
// lines that do not fit keep it so), so where a shorter line starting at i is
// better than a longer one, it is also better from any earlier start. The
// candidate ends therefore stand in a queue, each the best for a range of
// starts, and a new candidate's range is found by a binary search over the
// starts from which a line can reach it: at most (margin - prefix + 1) / 2
// pieces, since each takes a column and a blank. The cost is O(n log w) for
// n pieces and w pieces a line, whatever the margin.
class BalancedBreaker {
public:
    BalancedBreaker(const Pieces& pieces, HeapVector<Cost>& cost, IndexList& best, IndexList& queue,
                    HeapVector<std::ptrdiff_t>& until)
        : pieces_(pieces), cost_(cost), best_(best), queue_(queue), until_(until) {
        const std::size_t n = pieces.Count();
        cost_.assign(n + 1, 0);
        best_.assign(n, 0);
        queue_.assign(n + 1, 0);
        until_.assign(n + 1, 0);
        const std::size_t head = std::min(pieces.Head(1), pieces.Margin());
        reach_ =
            static_cast<std::ptrdiff_t>(std::max<std::size_t>(1, (pieces.Margin() - head + 1) / 2));
    }

    void Solve(std::size_t s, std::size_t e, bool lastIsFree) {
        s_ = s;
        e_ = e;
        lastIsFree_ = lastIsFree;
        cost_[e] = 0;
        // The queue holds queue_[front, back), shortest line first; the end
        // queue_[k] is preferred to queue_[k + 1] from every start up to until_[k].
        std::size_t front = e - s, back = e - s;
        for (std::size_t i = e; i-- > s;) {
            const std::size_t j = i + 1;
            bool keep = true;
            std::ptrdiff_t until = 0;
            while (front < back) {
                until = LastStartPreferring(i, j, queue_[front]);
                if (until < static_cast<std::ptrdiff_t>(s)) {
                    keep = false;  // the line ending at j is never the best
                    break;
                }
                if (back - front < 2 || until < until_[front]) break;
                ++front;  // the old first is the best from no start any more
            }
            if (keep) {
                queue_[--front] = j;
                until_[front] = until;
            }
            while (back - front >= 2 && until_[back - 2] >= static_cast<std::ptrdiff_t>(i)) --back;
            best_[i] = queue_[back - 1];
            cost_[i] = Total(i, best_[i]);
        }
    }

    std::size_t Best(std::size_t i) const { return best_[i]; }

private:
    // The cost of the line [i, j) and of everything after it.
    Cost Total(std::size_t i, std::size_t j) const {
        if (j == e_ && lastIsFree_) return cost_[j];
        return AddCost(cost_[j], Square(pieces_.Margin() - pieces_.Width(i, j)));
    }

    // Whether, from start i, ending the line at j1 is preferred to ending it
    // at j2 > j1: the cost is lower, or neither line fits.
    bool Prefers(std::size_t i, std::size_t j1, std::size_t j2) const {
        if (!pieces_.Fits(i, j2)) return true;
        return Total(i, j1) < Total(i, j2);
    }

    // The last start up to i from which j1 is preferred to j2 (from all
    // earlier ones it is too); s - 1 when there is none.
    std::ptrdiff_t LastStartPreferring(std::size_t i, std::size_t j1, std::size_t j2) const {
        // Below `low` no line reaches j1 (nor j2), so j1 is preferred there.
        std::ptrdiff_t low =
            std::max(static_cast<std::ptrdiff_t>(s_), static_cast<std::ptrdiff_t>(j1) - reach_);
        std::ptrdiff_t high = static_cast<std::ptrdiff_t>(i);
        if (Prefers(i, j1, j2)) return high;
        if (!Prefers(static_cast<std::size_t>(low), j1, j2)) return low - 1;
        while (high - low > 1) {  // preferred from low, not from high
            const std::ptrdiff_t middle = low + (high - low) / 2;
            (Prefers(static_cast<std::size_t>(middle), j1, j2) ? low : high) = middle;
        }
        return low;
    }

    const Pieces& pieces_;
    HeapVector<Cost>& cost_;  // cost_[i]: the least cost of the lines from i on
    IndexList& best_;
    IndexList& queue_;
    HeapVector<std::ptrdiff_t>& until_;
    std::ptrdiff_t reach_ = 1;  // the most pieces a line can hold
    std::size_t s_ = 0, e_ = 0;
    bool lastIsFree_ = false;
};

}  // namespace

bool IsLetterOrDigitPastAscii(char32_t c) {
    const auto* end = std::end(kLetterRanges);
    const auto* at = std::upper_bound(
        std::begin(kLetterRanges), end, c,
        [](char32_t value, const LetterRange& range) { return value < range.first; });
    return at != std::begin(kLetterRanges) && c <= (at - 1)->last;
}

std::size_t ReflowMargin(std::int64_t rIndent) {
    return rIndent <= 0 ? kFallbackMargin : static_cast<std::size_t>(rIndent);
}

void BreakGreedy(std::span<const std::size_t> widths, const BreakLayout& layout,
                 IndexList& starts) {
    starts.clear();
    std::size_t line = 0;
    while (line < widths.size()) {
        starts.push_back(line);
        std::size_t used = (line == 0 ? layout.firstHead : layout.head) + widths[line];
        std::size_t next = line + 1;
        while (next < widths.size() && used + 1 + widths[next] <= layout.margin) {
            used += 1 + widths[next];
            ++next;
        }
        line = next;
    }
}

void BreakBalanced(std::span<const std::size_t> widths, const BreakLayout& layout,
                   IndexList& starts) {
    starts.clear();
    IndexList sums, best, queue;
    HeapVector<Cost> cost;
    HeapVector<std::ptrdiff_t> until;
    const Pieces pieces(widths, layout, sums);
    BalancedBreaker breaker(pieces, cost, best, queue, until);
    // A piece too wide for the room stands alone; the runs between such
    // pieces are broken each on its own.
    const std::size_t n = widths.size();
    for (std::size_t s = 0; s < n;) {
        if (pieces.TooWide(s)) {
            starts.push_back(s++);
            continue;
        }
        std::size_t e = s + 1;
        while (e < n && !pieces.TooWide(e)) ++e;
        breaker.Solve(s, e, e == n);
        for (std::size_t i = s; i < e; i = breaker.Best(i)) starts.push_back(i);
        s = e;
    }
}

// The rules for every character type a face may hand them, compiled here
// once so that each build checks them whether or not it offers the command.
template ReflowResult<char> Reflow(ViewLines<char>&, const ReflowRequest&);
template ReflowResult<char16_t> Reflow(ViewLines<char16_t>&, const ReflowRequest&);
template ReflowResult<wchar_t> Reflow(ViewLines<wchar_t>&, const ReflowRequest&);

}  // namespace marten
