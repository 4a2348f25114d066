// Automatic wrap and indent: a line that has grown past the right margin is
// broken at word boundaries before the editor inserts the typed character,
// the quotation prefix repeated on every new line, or the continuation lines
// of unquoted text indented. Written once for the lines of either interface;
// in UTF-16 lines the margin counts units, as the editor's cursor does, and a
// break never falls between the two halves of a surrogate pair.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "module/editor/quote_prefix.hpp"
#include "module/settings/settings.hpp"

namespace marten {

// Where a text breaks: the head is text[0, headLength), the tail
// text[tailStart, end); what lies between them is blanks only.
struct MarginSplit {
    std::size_t headLength;
    std::size_t tailStart;
};

// True for the first half of a UTF-16 surrogate pair; a byte never is one,
// nor a UTF-32 character (U+1D800 would look like one to the test below).
template <class C>
constexpr bool OpensPair(C c) {
    if constexpr (sizeof(C) != 2) {
        return false;
    } else {
        return (static_cast<std::uint32_t>(c) & 0xFC00u) == 0xD800u;
    }
}

// A hard cut after `at` characters of `text`, moved so that it keeps a
// surrogate pair whole: one unit back, or past the pair where that would
// leave nothing before the cut.
template <class C>
std::size_t WholeCharacterCut(std::basic_string_view<C> text, std::size_t at) {
    if (at == 0 || at >= text.size() || !OpensPair(text[at - 1])) return at;
    return at > 1 ? at - 1 : at + 1;
}

// Splits `text` so that the head is at most `width` characters (a width
// below 1 counts as 1). The break goes before the word that crosses the
// margin, blanks (TAB, blank) dropped from the end of the head and blanks
// only from the start of the tail; a word with no blank before it is cut
// after its width-th character (before it, where that would split a pair).
// The head is empty when only blanks stand before the margin or before the
// crossing word.
// It looks at no more than width + 1 characters and the blanks it skips, so
// the cost of a split does not grow with the length of the text.
template <class C>
MarginSplit SplitAtMargin(std::basic_string_view<C> text, int width) {
    const std::size_t length = text.size();
    const std::size_t w = width < 1 ? 1 : static_cast<std::size_t>(width);
    if (length <= w) return {length, length};
    // c counts characters from 1: text[c - 1] is the c-th. The word at the
    // margin crosses it when the w-th and the next character are both
    // non-blank; the characters past w + 1 never change the break.
    std::size_t c = w;
    if (!IsPrefixBlank(text[w - 1]) && !IsPrefixBlank(text[w])) {
        while (c >= 1 && !IsPrefixBlank(text[c - 1])) --c;  // back to the blank before it
        if (c == 0) {
            c = WholeCharacterCut(text, w);  // no blank before the word: hard break
        } else {
            while (c >= 1 && IsPrefixBlank(text[c - 1])) --c;  // to the end of the word before
        }
    } else {
        while (c >= 1 && IsPrefixBlank(text[c - 1])) --c;
    }
    std::size_t t = c;
    while (t < length && text[t] == C(' ')) ++t;  // a TAB after the break stays in the tail
    return {c, t};
}

inline MarginSplit SplitAtMargin(std::string_view text, int width) {
    return SplitAtMargin<char>(text, width);
}

namespace detail {

// A prefix is carried only when its last mark stands at least this many
// positions before the margin, which leaves a split width of at least 5.
inline constexpr std::int64_t kPrefixRoom = 6;

// The text that a wrap still has to place: the line from `next` on. The
// rules read its examined form (workLine); the lines written take the
// editor's own characters (editorLine) at the same places. Both stay whole,
// so placing a line costs only that line, however long the rest.
template <class C>
struct Placement {
    std::basic_string_view<C> text;  // the examined line, prefix removed by offset only
    std::basic_string_view<C> own;   // the same line as the editor holds it
    std::size_t next;                // first character not yet placed
    std::size_t lastNonBlank;        // of text; npos when the text is blanks only
    std::size_t margin;              // RIndent
    std::size_t width;               // room for the head: RIndent less the prefix
    C blank;                         // the editor's character for a blank
    BasicText<C> window;             // what the splitter looks at for the next line

    std::size_t Remaining() const { return text.size() - next; }
    bool HasWords() const { return lastNonBlank != std::string_view::npos && next <= lastNonBlank; }
};

template <class C>
inline constexpr C kBlankChars[] = {C('\t'), C(' '), C(0)};

// The indent of a continuation line without prefix: the editor's auto-indent
// column on the new line, or LIndent. It never fills the whole line, so a far
// column or a huge LIndent costs nothing and still leaves room for a word.
template <class Editor, class C>
std::size_t ContinuationIndent(Editor& ed, const Placement<C>& place) {
    std::int64_t indent;
    if (Settings.EnableAutoIndent) {
        ed.RefreshInfo();
        indent = ed.CurPos();
    } else {
        indent = Settings.LIndent;
    }
    if (indent <= 0) return 0;
    return static_cast<std::size_t>(
        std::min<std::int64_t>(indent, static_cast<std::int64_t>(place.margin) - 1));
}

// Builds the next line in peerLine (the prefix, `indent` blanks and the head
// of the split) and moves `place.next` past the head and the blanks behind it.
// The head always takes at least one non-blank character while any is left:
// where the splitter gives an empty head, a word that starts before the margin
// is cut there, and blanks that alone reach the margin are dropped.
template <class Editor, class C>
void BuildNextLine(Editor& ed, Placement<C>& place, std::size_t indent) {
    const C* const blanks = kBlankChars<C>;
    for (bool blanksDropped = false;;) {
        const std::basic_string_view<C> rest = place.text.substr(place.next);
        // The splitter reads at most width + 1 characters of indent and text.
        BasicText<C>& window = place.window;
        window.assign(indent, C(' '));
        window.append(rest.substr(0, place.width + 1 - indent));
        const std::basic_string_view<C> view(window);
        MarginSplit split = SplitAtMargin(view, static_cast<int>(place.width));
        if (split.headLength == 0 && place.HasWords()) {
            const std::size_t firstWord = view.find_first_not_of(blanks);
            if (firstWord < place.width) {
                const std::size_t cut = WholeCharacterCut(view, place.width);
                split = {cut, cut};
            } else if (!blanksDropped) {
                place.next += rest.find_first_not_of(blanks);
                blanksDropped = true;
                continue;
            }
        }
        // A head that is not empty ends in a non-blank, so it reaches past the indent.
        auto& line = ed.peerLine;
        line.assign(ed.quotePrefix);
        if (split.headLength > indent) {
            line.append(indent, place.blank);
            line.append(place.own.substr(place.next, split.headLength - indent));
        }
        place.next += split.tailStart > indent ? split.tailStart - indent : 0;
        // The splitter skipped the blanks within the window; go on past it.
        while (place.next < place.text.size() && place.text[place.next] == C(' ')) ++place.next;
        return;
    }
}

// Writes peerLine over the cursor's line and puts the cursor at its end.
template <class Editor>
void StorePeerLine(Editor& ed) {
    ed.StoreLine(-1, ed.peerLine);
    ed.PlaceCursor(static_cast<std::int64_t>(ed.peerLine.size()));
}

}  // namespace detail

// For a typed character (the dispatch has tested the key and the setting):
// wraps the cursor's line when the cursor stands at its end and the line is
// longer than RIndent. The key itself is left to the editor.
template <class Editor>
void WrapCurrentLine(Editor& ed) {
    using C = typename Editor::Char;
    // A margin below 1 (a slip in the dialog stores 0) would cut every line
    // into single characters: it turns the wrap off.
    const std::int64_t margin = Settings.RIndent;
    if (margin < 1) return;
    if (!ed.FetchLine(-1, ed.editorLine)) return;
    const std::int64_t length = static_cast<std::int64_t>(ed.editorLine.size());
    if (length != ed.CurPos()) return;
    if (length <= margin) return;
    ed.ExamineLine();

    const std::basic_string_view<C> text(ed.workLine);
    const std::basic_string_view<C> own(ed.editorLine);
    const C blank = ed.OwnBlank();
    std::size_t start = 0;
    const MarkPosition last = LastMark(text);
    if (last.Found() && last.value <= margin - detail::kPrefixRoom &&
        FirstMark(text) <= kLastFirstMark) {
        ed.quotePrefix = PlainPrefix(text, own, blank);
        start = PrefixLength(text);
    } else {
        ed.quotePrefix.clear();
    }
    const bool quoted = !ed.quotePrefix.empty();
    detail::Placement<C> place{text,
                               own,
                               start,
                               text.find_last_not_of(detail::kBlankChars<C>),
                               static_cast<std::size_t>(margin),
                               static_cast<std::size_t>(margin) - ed.quotePrefix.size(),
                               blank,
                               BasicText<C>()};

    // The first line keeps its own leading blanks and is never indented.
    detail::BuildNextLine(ed, place, 0);
    detail::StorePeerLine(ed);
    ed.BreakLine();
    // The bare remainder is measured against the margin itself.
    while (place.Remaining() > place.margin && place.HasWords()) {
        detail::BuildNextLine(ed, place, quoted ? 0 : detail::ContinuationIndent(ed, place));
        detail::StorePeerLine(ed);
        ed.BreakLine();
    }
    const std::size_t indent = quoted ? 0 : detail::ContinuationIndent(ed, place);
    auto& line = ed.peerLine;
    line.assign(ed.quotePrefix);
    line.append(indent, blank);
    line.append(own.substr(place.next));
    detail::StorePeerLine(ed);
    ed.Redraw();
}

}  // namespace marten
