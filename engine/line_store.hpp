// The editor's lines, lean enough for a file of hundreds of thousands of lines.
//
// The store owns the file's bytes as they were read. A line that was never
// changed is a span of those bytes; a changed line owns a block of its own.
// Either way its text stays where it is until that line itself changes, and
// the byte after the text is a zero (the first byte of each end-of-line in
// the file's bytes is overwritten with one; the end-of-line itself is kept
// as a one-byte kind).
//
// The lines sit in a gap buffer: inserting or removing a line costs time in
// proportion to its distance from the previous edit, not to the length of
// the document, so that a wrap that inserts many lines one after another at
// the cursor stays linear.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

enum class Eol : std::uint8_t { None, CrLf, Lf, Cr };

// "", "\r\n", "\n" or "\r" (zero-terminated).
const char* EolChars(Eol eol);
inline std::string_view EolText(Eol eol) { return EolChars(eol); }
// The kind of an end-of-line text; nothing for anything but the four above.
std::optional<Eol> EolOf(std::string_view text);

// One line: its text (a span of the file's bytes or a block of its own) and
// its end-of-line. Moving it never moves the text.
class StoredLine {
public:
    StoredLine() noexcept = default;
    // A span of bytes that outlive the line and have a zero after them.
    static StoredLine Span(const char* text, std::size_t size, Eol eol);
    // A line that owns a copy of `text`.
    static StoredLine Copy(std::string_view text, Eol eol);

    StoredLine(StoredLine&& other) noexcept;
    StoredLine& operator=(StoredLine&& other) noexcept;
    StoredLine(const StoredLine&) = delete;
    StoredLine& operator=(const StoredLine&) = delete;
    ~StoredLine();

    // Another line with the same text and end-of-line: a span again for a
    // span, a copy for a block.
    StoredLine Duplicate() const;

    std::string_view Text() const { return {data_, size_}; }
    const char* Data() const { return data_; }  // zero-terminated
    std::size_t Size() const { return size_; }
    Eol GetEol() const { return eol_; }
    void SetEol(Eol eol) { eol_ = eol; }
    // Heap bytes that this line holds (0 for a span).
    std::size_t HeapBytes() const { return capacityLog2_ ? std::size_t{1} << capacityLog2_ : 0; }

    // Replaces `count` bytes at `pos` with `insert` followed by `fill`
    // copies of `fillChar`; a span becomes a block of its own. `insert` may
    // point into this line's own text.
    void Splice(std::size_t pos, std::size_t count, std::string_view insert, std::size_t fill = 0,
                char fillChar = ' ');

private:
    void Release() noexcept;

    const char* data_ = "";  // never null; a block of 2^capacityLog2_ bytes when owned
    std::uint32_t size_ = 0;
    Eol eol_ = Eol::None;
    std::uint8_t capacityLog2_ = 0;  // 0: not owned (a span, or the empty text)
};

class LineStore {
public:
    // Takes the file's bytes and splits them into lines: CR LF, LF and a lone
    // CR each end a line; what follows the last end-of-line (maybe nothing)
    // is the last line. There is always at least one line.
    explicit LineStore(std::string bytes);
    LineStore(const LineStore&) = delete;
    LineStore& operator=(const LineStore&) = delete;

    int Count() const { return static_cast<int>(slots_.size() - GapSize()); }
    // 0 <= n < Count().
    const StoredLine& At(int n) const { return slots_[Slot(n)]; }
    StoredLine& At(int n) {
        ++version_;
        return slots_[Slot(n)];
    }

    // Inserts `line` before line n (0 <= n <= Count()).
    void Insert(int n, StoredLine line);
    // Removes line n (0 <= n < Count()) and hands it over.
    StoredLine Take(int n);

    // Slots moved to shift the gap since construction; tests use it to see
    // that a run of edits in one place does not move the whole document.
    std::size_t Moves() const { return moves_; }
    // Counts the calls that may change the lines (Insert, Take and the
    // writable At), so that an owner can tell that nobody else changed them.
    std::uint64_t Version() const { return version_; }

private:
    std::size_t GapSize() const { return gapEnd_ - gapBegin_; }
    std::size_t Slot(int n) const {
        const auto i = static_cast<std::size_t>(n);
        return i < gapBegin_ ? i : i + GapSize();
    }
    void MoveGapTo(std::size_t n);
    void Grow();

    std::string file_;  // the bytes as read; spans point into them, so they never move
    // Lines [0, gapBegin_) and [gapEnd_, size) are held; the slots in the gap are empty.
    std::vector<StoredLine> slots_;
    std::size_t gapBegin_ = 0;
    std::size_t gapEnd_ = 0;
    std::size_t moves_ = 0;
    std::uint64_t version_ = 0;
};

}  // namespace engine
