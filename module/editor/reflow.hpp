// Reflow: one command re-wraps a quoted paragraph to the right margin, every
// line keeping the quote prefix its paragraph began with. These are the
// command's rules alone: they read the lines they need through a line source
// (the paragraph at the cursor or those a block touches, and what it takes to
// find them) and hand back the edits as values, for a face to apply as one
// undo step. Written once for the characters of a line: the editor's bytes,
// UTF-16 units (a surrogate pair counts two columns, as the editor's cursor
// counts, and is never split) or UTF-32 characters.
#pragma once

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "module/editor/quote_prefix.hpp"
#include "module/editor/wrap.hpp"
#include "module/runtime/heap.hpp"
#include "module/runtime/text.hpp"

namespace marten {

template <class T>
using HeapVector = std::vector<T, ModuleAllocator<T>>;

// ---------------------------------------------------------------------------
// Characters

// At most this many letters or digits stand before the '>' of a quote group.
inline constexpr int kMaxInitials = 10;

// One character of a line: its code point and the units it takes there.
struct CodePoint {
    char32_t value;
    std::size_t units;
};

// The character that starts at `at`: a byte of the 8-bit table, a UTF-16
// character (a surrogate pair whole, a lone half as itself) or a UTF-32 one.
template <class C>
CodePoint CodePointAt(std::basic_string_view<C> text, std::size_t at) {
    if constexpr (sizeof(C) == 1) {
        return {static_cast<unsigned char>(text[at]), 1};
    } else if constexpr (sizeof(C) == 2) {
        const char32_t unit = static_cast<std::uint16_t>(text[at]);
        if (OpensPair(text[at]) && at + 1 < text.size()) {
            const char32_t low = static_cast<std::uint16_t>(text[at + 1]);
            if ((low & 0xFC00u) == 0xDC00u) {
                return {0x10000u + ((unit - 0xD800u) << 10) + (low - 0xDC00u), 2};
            }
        }
        return {unit, 1};
    } else {
        return {static_cast<char32_t>(text[at]), 1};
    }
}

// True for a letter or decimal digit past ASCII (a fixed table of the
// module's own, so the answer depends on no locale).
bool IsLetterOrDigitPastAscii(char32_t c);

// True for a letter or decimal digit of any script.
inline bool IsLetterOrDigit(char32_t c) {
    if (c >= 0x80) return IsLetterOrDigitPastAscii(c);
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// True for a character that may stand among an author's initials. The 8-bit
// tables are not known here: their upper half counts as letters, which in
// every Cyrillic table the module serves is mostly what it holds.
template <class C>
bool IsInitial(char32_t c) {
    if constexpr (sizeof(C) == 1) {
        return c >= 0x80 || IsLetterOrDigit(c);
    } else {
        return IsLetterOrDigit(c);
    }
}

template <class C>
bool StartsWithAscii(std::basic_string_view<C> text, std::string_view ascii) {
    if (text.size() < ascii.size()) return false;
    for (std::size_t i = 0; i < ascii.size(); ++i) {
        if (text[i] != C(ascii[i])) return false;
    }
    return true;
}

template <class C>
std::basic_string_view<C> TrimTrailingBlanks(std::basic_string_view<C> text) {
    std::size_t end = text.size();
    while (end > 0 && IsPrefixBlank(text[end - 1])) --end;
    return text.substr(0, end);
}

// ---------------------------------------------------------------------------
// The quote prefix: optional blanks, then one or more groups, each of up to
// ten letters or digits, one or more '>' and at most one blank (" AB> ",
// " CD> AB> ", "> "; not "->", "=>" or "<b>").

// The length of the quote group that starts at `at`; 0 when none does.
template <class C>
std::size_t QuoteGroupLength(std::basic_string_view<C> text, std::size_t at) {
    // Ten initials take at most 20 units: without a mark that near, no group
    // (the common case of a word, found without looking at its letters).
    const std::size_t reach = std::min(text.size(), at + 2 * kMaxInitials + 1);
    std::size_t mark = at;
    while (mark < reach && text[mark] != C(kQuoteMark)) ++mark;
    if (mark == reach) return 0;
    std::size_t i = at;
    int letters = 0;
    while (i < text.size()) {
        const CodePoint c = CodePointAt(text, i);
        if (!IsInitial<C>(c.value)) break;
        if (++letters > kMaxInitials) return 0;
        i += c.units;
    }
    if (i >= text.size() || text[i] != C(kQuoteMark)) return 0;
    while (i < text.size() && text[i] == C(kQuoteMark)) ++i;
    if (i < text.size() && IsPrefixBlank(text[i])) ++i;
    return i - at;
}

// The length of the quote prefix that `line` starts with; 0 for none.
template <class C>
std::size_t QuotePrefixLength(std::basic_string_view<C> line) {
    std::size_t at = 0;
    while (at < line.size() && IsPrefixBlank(line[at])) ++at;
    std::size_t group = QuoteGroupLength(line, at);
    if (group == 0) return 0;
    while (group != 0) {
        at += group;
        group = QuoteGroupLength(line, at);
    }
    return at;
}

// Two prefixes name the same author when they are equal without their
// blanks (" AB> " and "AB> "; not " CD> AB> " and " CD> ").
template <class C>
bool SameAuthor(std::basic_string_view<C> a, std::basic_string_view<C> b) {
    std::size_t i = 0, k = 0;
    for (;;) {
        while (i < a.size() && IsPrefixBlank(a[i])) ++i;
        while (k < b.size() && IsPrefixBlank(b[k])) ++k;
        if (i == a.size() || k == b.size()) return i == a.size() && k == b.size();
        if (a[i++] != b[k++]) return false;
    }
}

// ---------------------------------------------------------------------------
// What a line is

// A list mark: '-', '*', '+', or digits followed by '.' or ')'.
template <class C>
bool IsListMark(std::basic_string_view<C> word) {
    if (word.size() == 1 && (word[0] == C('-') || word[0] == C('*') || word[0] == C('+'))) {
        return true;
    }
    std::size_t digits = 0;
    while (digits < word.size() && word[digits] >= C('0') && word[digits] <= C('9')) ++digits;
    return digits > 0 && digits + 1 == word.size() &&
           (word[digits] == C('.') || word[digits] == C(')'));
}

// A character a separator line may be made of: anything but a letter or a
// digit, and in the 8-bit tables any byte of the upper half (it holds the
// box-drawing characters of 866).
template <class C>
bool CanMakeSeparator(char32_t c) {
    if constexpr (sizeof(C) == 1) {
        return c >= 0x80 || !IsLetterOrDigit(c);
    } else {
        return !IsLetterOrDigit(c);
    }
}

// Three or more copies of one character and nothing else ("-----", "===").
// Letters and digits make no separator: a line "zzz" or "ммм" is text.
template <class C>
bool IsRepeatedCharacter(std::basic_string_view<C> text) {
    if (text.empty()) return false;
    const CodePoint first = CodePointAt(text, 0);
    if (!CanMakeSeparator<C>(first.value)) return false;
    const std::size_t units = first.units;
    if (text.size() < 3 * units || text.size() % units != 0) return false;
    for (std::size_t at = units; at < text.size(); at += units) {
        if (text.substr(at, units) != text.substr(0, units)) return false;
    }
    return true;
}

// A line that the command never changes, given its text after the prefix
// from the first non-blank on: a kludge, a tearline, an origin, SEEN-BY:, AREA:.
template <class C>
bool IsProtectedText(std::basic_string_view<C> text) {
    if (text.empty()) return false;
    if (text[0] == C('\x01')) return true;
    if (StartsWithAscii(text, "---") && (text.size() == 3 || IsPrefixBlank(text[3]))) return true;
    return StartsWithAscii(text, "* Origin:") || StartsWithAscii(text, "SEEN-BY:") ||
           StartsWithAscii(text, "AREA:");
}

enum class LineKind {
    Text,       // words after the prefix: a line of a paragraph
    Blank,      // nothing but blanks after the prefix, or nothing at all
    Separator,  // three or more copies of one character and nothing else
    Protected,  // kludge, tearline, origin, SEEN-BY:, AREA:
};

struct LineShape {
    LineKind kind;
    std::size_t prefixLength;  // units of the quote prefix
    std::size_t indent;        // blanks between the prefix and the first word
    bool opensItem;            // the first word is a list mark with a blank after it
};

template <class C>
LineShape ShapeOf(std::basic_string_view<C> line) {
    LineShape shape{LineKind::Text, QuotePrefixLength(line), 0, false};
    const std::basic_string_view<C> rest = line.substr(shape.prefixLength);
    while (shape.indent < rest.size() && IsPrefixBlank(rest[shape.indent])) ++shape.indent;
    const std::basic_string_view<C> text = TrimTrailingBlanks(rest.substr(shape.indent));
    if (text.empty()) {
        shape.kind = LineKind::Blank;
    } else if (IsProtectedText(text)) {
        shape.kind = LineKind::Protected;
    } else if (IsRepeatedCharacter(text)) {
        shape.kind = LineKind::Separator;
    } else {
        std::size_t end = 0;
        while (end < text.size() && !IsPrefixBlank(text[end])) ++end;
        shape.opensItem = end < text.size() && IsListMark(text.substr(0, end));
    }
    return shape;
}

// True when `line` (of shape `shape`) goes on the paragraph whose first line
// has `first` and the prefix `firstPrefix`.
template <class C>
bool ContinuesParagraph(const LineShape& first, std::basic_string_view<C> firstPrefix,
                        const LineShape& shape, std::basic_string_view<C> line) {
    return shape.kind == LineKind::Text && !shape.opensItem && shape.indent <= first.indent &&
           SameAuthor(firstPrefix, line.substr(0, shape.prefixLength));
}

// A word that no line but a paragraph's first may start with, because the
// line would then read as the start of another paragraph or as a protected
// line: a list mark, a run like "---" or "...", a quote group ("AB>"), a
// kludge, SEEN-BY:, AREA:.
template <class C>
bool CannotStartLine(std::basic_string_view<C> word) {
    // Most words start with a letter, and of those only a quote group, SEEN-BY:
    // and AREA: cannot start a line (the common case, kept quick).
    const char32_t first = CodePointAt(word, 0).value;
    const bool digit = first >= '0' && first <= '9';
    if (!CanMakeSeparator<C>(first) && !digit && first != 'S' && first != 'A') {
        return QuoteGroupLength(word, 0) > 0;
    }
    return IsListMark(word) || IsRepeatedCharacter(word) || QuoteGroupLength(word, 0) > 0 ||
           word[0] == C('\x01') || StartsWithAscii(word, "SEEN-BY:") ||
           StartsWithAscii(word, "AREA:");
}

// A paragraph's first word that would change the first line's kind if it
// stood there alone ("-" would no longer open an item, "***" would become a
// separator), so the second word always goes with it.
template <class C>
bool NeedsCompany(std::basic_string_view<C> word) {
    return IsListMark(word) || IsRepeatedCharacter(word);
}

// ---------------------------------------------------------------------------
// Breaking a paragraph into lines. The paragraph is a list of pieces that are
// never broken apart (a word with the words that cannot start a line behind
// it), each at least one column wide; between two pieces on a line stands
// one blank.

using IndexList = HeapVector<std::size_t>;

struct BreakLayout {
    // Columns before the first piece: the prefix and the first line's indent.
    std::size_t firstHead;
    // Columns before the first piece of every other line: the prefix.
    std::size_t head;
    std::size_t margin;
};

// Fills `starts` with the first piece of every line: each line takes as many
// pieces as fit within the margin, and a piece wider than the room stands
// alone on its line.
void BreakGreedy(std::span<const std::size_t> widths, const BreakLayout& layout, IndexList& starts);

// As BreakGreedy, with the least raggedness: the least sum of the squares of
// the free columns at the end of every line but the last, no line over the
// margin but one holding a piece wider than the room (which costs nothing);
// of equal choices, the one whose earlier lines are longer.
void BreakBalanced(std::span<const std::size_t> widths, const BreakLayout& layout,
                   IndexList& starts);

// ---------------------------------------------------------------------------
// The command

enum class ReflowMode { Greedy, Balanced };

// A paragraph whose prefix leaves fewer columns than this before the margin
// is left as it is.
inline constexpr std::size_t kMinimumReflowRoom = 20;

// The margin the command uses for the setting RIndent: RIndent itself, or 78
// when it is 0 or less (the wrap while typing is off).
std::size_t ReflowMargin(std::int64_t rIndent);

// Lines first to last, both included.
struct LineRange {
    std::size_t first;
    std::size_t last;
};

struct ReflowRequest {
    std::size_t cursorLine;
    std::optional<LineRange> block;  // a marked block: every paragraph it touches
    std::size_t margin;              // from ReflowMargin
    ReflowMode mode;
};

// One paragraph's new lines, which replace its old ones.
template <class C>
struct ReflowEdit {
    std::size_t firstLine;  // in the numbering before any edit
    std::size_t oldCount;   // lines it replaces
    BasicText<C> text;      // the new lines one after another
    IndexList ends;         // where each new line ends in `text`

    std::size_t LineCount() const { return ends.size(); }
    std::basic_string_view<C> Line(std::size_t k) const {
        const std::size_t begin = k == 0 ? 0 : ends[k - 1];
        return std::basic_string_view<C>(text).substr(begin, ends[k] - begin);
    }
};

template <class C>
struct ReflowResult {
    // In the order of the text; apply them from the last to the first, so
    // that each firstLine still names the line it was found at.
    HeapVector<ReflowEdit<C>> edits;
    std::size_t paragraphs = 0;  // paragraphs the command acted on, changed or not
    std::size_t leftNarrow = 0;  // of them, left as they were: too little room after the prefix
    // Where the cursor goes, in the numbering after the edits: the start of
    // the first line after the last paragraph acted on, or the end of that
    // paragraph when the text ends with it. Unset when it acted on none.
    bool moveCursor = false;
    std::size_t cursorLine = 0;
    std::size_t cursorColumn = 0;

    bool Changed() const { return !edits.empty(); }
};

// The lines the command reads: how many there are, and line i. The view
// need stay valid only until the next call.
template <class S>
concept LineSource = requires(S& source, std::size_t i) {
    { source.LineCount() } -> std::convertible_to<std::size_t>;
    {
        source.Line(i)
        } -> std::same_as<std::basic_string_view<typename decltype(source.Line(i))::value_type>>;
};

template <LineSource Source>
using LineCharOf = typename decltype(std::declval<Source&>().Line(0))::value_type;

// Lines already in memory as views.
template <class C>
class ViewLines {
public:
    explicit ViewLines(std::span<const std::basic_string_view<C>> lines) : lines_(lines) {}
    std::size_t LineCount() const { return lines_.size(); }
    std::basic_string_view<C> Line(std::size_t i) const { return lines_[i]; }

private:
    std::span<const std::basic_string_view<C>> lines_;
};

namespace detail {

template <class C, class Source>
class Reflower {
    using View = std::basic_string_view<C>;

public:
    Reflower(Source& source, const ReflowRequest& request, ReflowResult<C>& result)
        : source_(source), request_(request), result_(result) {}

    void Run() {
        count_ = source_.LineCount();
        if (count_ == 0) return;
        std::size_t from = request_.cursorLine;
        std::size_t limit = count_;  // where a paragraph to act on may start
        if (request_.block) {
            from = std::min(request_.block->first, request_.block->last);
            const std::size_t last = std::max(request_.block->first, request_.block->last);
            limit = std::min(last, count_ - 1) + 1;
        }
        if (from >= count_ || from >= limit) return;
        std::size_t start = from, end = from;
        if (ShapeAt(from).kind == LineKind::Text) {
            start = ParagraphAround(from, end);
        } else {
            start = NextTextLine(from + 1, limit);
            if (start < limit) end = ReadParagraph(start);
        }
        while (start < limit) {
            Handle(start, end);
            if (!request_.block) break;
            start = NextTextLine(end, limit);
            if (start < limit) end = ReadParagraph(start);
        }
    }

private:
    LineShape ShapeAt(std::size_t i) { return ShapeOf(View(source_.Line(i))); }

    // The first line of text at or after `from` and before `limit`; `limit` when none is.
    std::size_t NextTextLine(std::size_t from, std::size_t limit) {
        while (from < limit && ShapeAt(from).kind != LineKind::Text) ++from;
        return from;
    }

    // Reads the paragraph that holds the line of text `line` and gives its
    // first line, its end in `end`: back to where the run of its author's
    // lines starts or an item opens (no paragraph reaches over either), then
    // forward paragraph by paragraph.
    std::size_t ParagraphAround(std::size_t line, std::size_t& end) {
        std::size_t run = line;
        const View own = source_.Line(line);
        const LineShape shape = ShapeOf(own);
        key_.assign(own.substr(0, shape.prefixLength));
        bool opensItem = shape.opensItem;
        while (run > 0 && !opensItem) {
            const View previous = source_.Line(run - 1);
            const LineShape before = ShapeOf(previous);
            if (before.kind != LineKind::Text ||
                !SameAuthor(View(key_), previous.substr(0, before.prefixLength))) {
                break;
            }
            opensItem = before.opensItem;
            --run;
        }
        std::size_t start = run;
        for (end = ReadParagraph(start); end <= line; end = ReadParagraph(start)) start = end;
        return start;
    }

    // Reads the paragraph that starts at `start` (its text to body_ and
    // pieceWidths_, its first line's prefix to prefix_) and gives the line after it.
    std::size_t ReadParagraph(std::size_t start) {
        const View first = source_.Line(start);
        firstShape_ = ShapeOf(first);
        prefix_.assign(first.substr(0, firstShape_.prefixLength));
        body_.clear();
        wordCount_ = 0;
        pieceWidths_.clear();
        AppendText(first.substr(firstShape_.prefixLength));
        std::size_t end = start + 1;
        for (; end < count_; ++end) {
            const View line = source_.Line(end);
            const LineShape shape = ShapeOf(line);
            if (!ContinuesParagraph(firstShape_, View(prefix_), shape, line)) break;
            body_ += C(' ');
            AppendText(line.substr(shape.prefixLength + shape.indent));
        }
        return end;
    }

    // Appends a line's text, its trailing blanks removed, and adds its words
    // to the pieces.
    void AppendText(View text) {
        text = TrimTrailingBlanks(text);
        body_.append(text);
        for (std::size_t i = 0; i < text.size();) {
            while (i < text.size() && IsPrefixBlank(text[i])) ++i;
            const std::size_t begin = i;
            while (i < text.size() && !IsPrefixBlank(text[i])) ++i;
            if (i > begin) AddWord(text.substr(begin, i - begin));
        }
    }

    // A word that cannot start a line, and the word after a paragraph's
    // opening mark, join the piece before them; any other starts a piece.
    void AddWord(View word) {
        const bool joins =
            wordCount_ > 0 && ((wordCount_ == 1 && firstNeedsCompany_) || CannotStartLine(word));
        if (wordCount_ == 0) firstNeedsCompany_ = NeedsCompany(word);
        ++wordCount_;
        if (joins) {
            pieceWidths_.back() += 1 + word.size();
        } else {
            pieceWidths_.push_back(word.size());
        }
    }

    // Reflows the paragraph of lines [start, end), read into body_, or
    // leaves it when its prefix leaves too little room.
    void Handle(std::size_t start, std::size_t end) {
        ++result_.paragraphs;
        const std::size_t margin = request_.margin;
        bool edited = false;
        if (prefix_.size() + kMinimumReflowRoom > margin) {
            ++result_.leftNarrow;
        } else {
            const BreakLayout layout{prefix_.size() + firstShape_.indent, prefix_.size(), margin};
            if (request_.mode == ReflowMode::Balanced) {
                BreakBalanced(pieceWidths_, layout, lineStarts_);
            } else {
                BreakGreedy(pieceWidths_, layout, lineStarts_);
            }
            edited = Render(start, end);
        }
        const std::size_t newEnd =
            static_cast<std::size_t>(static_cast<std::ptrdiff_t>(end) + delta_);
        result_.moveCursor = true;
        if (end < count_) {
            result_.cursorLine = newEnd;
            result_.cursorColumn = 0;
        } else {
            const ReflowEdit<C>* edit = edited ? &result_.edits.back() : nullptr;
            result_.cursorLine = newEnd - 1;
            result_.cursorColumn = edit ? edit->Line(edit->LineCount() - 1).size()
                                        : View(source_.Line(end - 1)).size();
        }
    }

    // Writes the new lines and keeps them as an edit when they differ from
    // the old ones; true when they did. Where a line is broken is decided
    // with one blank between words; the blanks inside a line stay as they
    // were unless the line would then pass the margin, and then runs of
    // blanks shrink to their first one, the last run first, until it fits.
    // So the decision is the same on the command's own output, which
    // therefore reflows to itself.
    bool Render(std::size_t start, std::size_t end) {
        ReflowEdit<C>& edit = pending_;
        edit.firstLine = start;
        edit.oldCount = end - start;
        edit.text.clear();
        edit.ends.clear();
        edit.text.reserve(lineStarts_.size() * prefix_.size() + body_.size());
        const View body(body_);
        std::size_t at = 0;  // in the body: where the next line's text begins
        for (std::size_t line = 0; line < lineStarts_.size(); ++line) {
            const std::size_t first = lineStarts_[line];
            const std::size_t last =
                line + 1 < lineStarts_.size() ? lineStarts_[line + 1] : pieceWidths_.size();
            // The words of pieces [first, last) take this many columns, one
            // blank between them: walk the body's words until they are placed.
            std::size_t columns = last - first - 1;
            for (std::size_t k = first; k < last; ++k) columns += pieceWidths_[k];
            const std::size_t from = at;  // the first line keeps its indent
            while (at < body.size() && IsPrefixBlank(body[at])) ++at;
            const std::size_t firstWord = at;
            for (std::size_t placed = 0;;) {
                const std::size_t word = at;
                while (at < body.size() && !IsPrefixBlank(body[at])) ++at;
                placed += at - word;
                if (placed >= columns) break;
                ++placed;
                while (at < body.size() && IsPrefixBlank(body[at])) ++at;
            }
            edit.text.append(prefix_);
            AppendLine(edit.text, line == 0 ? from : firstWord, firstWord, at);
            edit.ends.push_back(edit.text.size());
        }
        if (SameAsLines(edit, start, end)) return false;
        delta_ += static_cast<std::ptrdiff_t>(edit.LineCount()) -
                  static_cast<std::ptrdiff_t>(edit.oldCount);
        result_.edits.push_back(std::move(pending_));
        pending_ = ReflowEdit<C>();
        return true;
    }

    // Appends body_[from, end) (its words start at firstWord), shrinking runs
    // of blanks from the right while the line would pass the margin.
    void AppendLine(BasicText<C>& out, std::size_t from, std::size_t firstWord, std::size_t end) {
        const View body(body_);
        std::size_t width = prefix_.size() + end - from;
        std::size_t keep = end;  // the runs of blanks before it stay whole
        for (std::size_t i = end; width > request_.margin;) {
            while (i > firstWord && !IsPrefixBlank(body[i - 1])) --i;  // back over a word
            const std::size_t runEnd = i;
            while (i > firstWord && IsPrefixBlank(body[i - 1])) --i;  // and the blanks before it
            if (i == runEnd) break;
            width -= runEnd - i - 1;
            keep = i;
        }
        out.append(body.substr(from, keep - from));
        for (std::size_t i = keep; i < end;) {
            const std::size_t word = i;
            if (IsPrefixBlank(body[i])) {
                out += body[i];
                while (IsPrefixBlank(body[i])) ++i;  // a word follows before the end
            } else {
                while (i < end && !IsPrefixBlank(body[i])) ++i;
                out.append(body.substr(word, i - word));
            }
        }
    }

    bool SameAsLines(const ReflowEdit<C>& edit, std::size_t start, std::size_t end) {
        if (edit.LineCount() != end - start) return false;
        for (std::size_t k = 0; k < edit.LineCount(); ++k) {
            if (View(source_.Line(start + k)) != edit.Line(k)) return false;
        }
        return true;
    }

    Source& source_;
    const ReflowRequest& request_;
    ReflowResult<C>& result_;
    std::size_t count_ = 0;
    std::ptrdiff_t delta_ = 0;  // lines the edits so far added (or removed)
    BasicText<C> key_;          // the prefix of the line a paragraph is looked for from
    LineShape firstShape_{};    // of the paragraph's first line
    BasicText<C> prefix_;       // the paragraph's first line's prefix, as written there
    BasicText<C> body_;         // the first line's indent and the words, joined by one blank
    std::size_t wordCount_ = 0;
    bool firstNeedsCompany_ = false;
    IndexList pieceWidths_;  // of each piece: its words and one blank between them
    IndexList lineStarts_;   // the first piece of each new line
    ReflowEdit<C> pending_;
};

}  // namespace detail

// The command: reflows the paragraph at the cursor (from a line of no
// paragraph, the next one below it) or every paragraph the block touches,
// each on its own. It reads only the lines it needs.
template <LineSource Source>
ReflowResult<LineCharOf<Source>> Reflow(Source& lines, const ReflowRequest& request) {
    ReflowResult<LineCharOf<Source>> result;
    detail::Reflower<LineCharOf<Source>, Source>(lines, request, result).Run();
    return result;
}

}  // namespace marten
