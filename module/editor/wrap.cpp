#include "module/editor/wrap.hpp"

#include <algorithm>
#include <cstdint>

#include "module/editor/edit_state.hpp"
#include "module/editor/quote_prefix.hpp"
#include "module/settings/settings.hpp"

namespace marten {

namespace {

// Word boundaries of the splitter: one bit per character code.
struct BlankSet {
    std::uint64_t bits[4] = {};
    constexpr BlankSet() {
        Add('\t');
        Add(' ');
    }
    constexpr void Add(unsigned char c) { bits[c / 64] |= std::uint64_t{1} << (c % 64); }
    constexpr bool Has(char c) const {
        const auto code = static_cast<unsigned char>(c);
        return (bits[code / 64] >> (code % 64)) & 1u;
    }
};

constexpr BlankSet kBlanks;
constexpr std::string_view kBlankChars = "\t ";

// A prefix is carried only when its last mark stands at least this many
// positions before the margin, which leaves a split width of at least 5.
constexpr std::int64_t kPrefixRoom = 6;

}  // namespace

MarginSplit SplitAtMargin(std::string_view text, int width) {
    const std::size_t length = text.size();
    const std::size_t w = width < 1 ? 1 : static_cast<std::size_t>(width);
    if (length <= w) return {length, length};

    // c counts characters from 1: text[c - 1] is the c-th. The word at the
    // margin crosses it when the w-th and the next character are both
    // non-blank; the characters past w + 1 never change the break.
    std::size_t c = w;
    if (!kBlanks.Has(text[w - 1]) && !kBlanks.Has(text[w])) {
        while (c >= 1 && !kBlanks.Has(text[c - 1])) --c;  // back to the blank before it
        if (c == 0) {
            c = w;  // no blank before the word: hard break after w characters
        } else {
            while (c >= 1 && kBlanks.Has(text[c - 1])) --c;  // to the end of the word before
        }
    } else {
        while (c >= 1 && kBlanks.Has(text[c - 1])) --c;
    }

    std::size_t t = c;
    while (t < length && text[t] == ' ') ++t;  // a TAB after the break stays in the tail
    return {c, t};
}

namespace {

// The text that a wrap still has to place: the line from `next` on. The
// rules read its examined form (WorkLine, in the OEM table); the lines
// written take the editor's own bytes (EditorLine) at the same places. Both
// stay whole, so placing a line costs only that line, however long the rest.
struct Placement {
    std::string_view text;     // the examined line, prefix removed by offset only
    std::string_view own;      // the same line in the editor's table
    std::size_t next;          // first character not yet placed
    std::size_t lastNonBlank;  // of text; npos when the text is blanks only
    std::size_t margin;        // RIndent
    std::size_t width;         // room for the head: RIndent less the prefix
    char blank;                // the editor's byte for a blank
    Text window;               // what the splitter looks at for the next line

    std::size_t Remaining() const { return text.size() - next; }
    bool HasWords() const { return lastNonBlank != std::string_view::npos && next <= lastNonBlank; }
};

// The indent of a continuation line without prefix: the editor's auto-indent
// column on the new line, or LIndent. It never fills the whole line, so a far
// column or a huge LIndent costs nothing and still leaves room for a word.
std::size_t ContinuationIndent(const Placement& place) {
    std::int64_t indent;
    if (Settings.EnableAutoIndent) {
        RefreshInfo();
        indent = EditState.InfoRec.CurPos;
    } else {
        indent = Settings.LIndent;
    }
    if (indent <= 0) return 0;
    return static_cast<std::size_t>(
        std::min<std::int64_t>(indent, static_cast<std::int64_t>(place.margin) - 1));
}

// Builds the next line in PeerLine (the prefix, `indent` blanks and the head
// of the split) and moves `place.next` past the head and the blanks behind it.
// The head always takes at least one non-blank character while any is left:
// where the splitter gives an empty head, a word that starts before the margin
// is cut there, and blanks that alone reach the margin are dropped.
void BuildNextLine(Placement& place, std::size_t indent) {
    for (bool blanksDropped = false;;) {
        const std::string_view rest = place.text.substr(place.next);
        // The splitter reads at most width + 1 characters of indent and text.
        Text& window = place.window;
        window.assign(indent, ' ');
        window.append(rest.substr(0, place.width + 1 - indent));
        MarginSplit split = SplitAtMargin(window, static_cast<int>(place.width));

        if (split.headLength == 0 && place.HasWords()) {
            const std::size_t firstWord = window.find_first_not_of(kBlankChars);
            if (firstWord < place.width) {
                split = {place.width, place.width};
            } else if (!blanksDropped) {
                place.next += rest.find_first_not_of(kBlankChars);
                blanksDropped = true;
                continue;
            }
        }

        // A head that is not empty ends in a non-blank, so it reaches past the indent.
        Text& line = EditState.PeerLine;
        line.assign(EditState.QuotePrefix);
        if (split.headLength > indent) {
            line.append(indent, place.blank);
            line.append(place.own.substr(place.next, split.headLength - indent));
        }
        place.next += split.tailStart > indent ? split.tailStart - indent : 0;
        // The splitter skipped the blanks within the window; go on past it.
        while (place.next < place.text.size() && place.text[place.next] == ' ') ++place.next;
        return;
    }
}

// Writes PeerLine over the cursor's line and puts the cursor at its end.
void StorePeerLine() {
    StoreLine(-1, EditState.PeerLine);
    PlaceCursor(static_cast<int>(EditState.PeerLine.size()));
}

}  // namespace

void WrapCurrentLine() {
    // A margin below 1 (a slip in the dialog stores 0) would cut every line
    // into single characters: it turns the wrap off.
    const std::int64_t margin = Settings.RIndent;
    if (margin < 1) return;

    if (!FetchLine(-1, EditState.EditorLine)) return;
    const std::int64_t length = static_cast<std::int64_t>(EditState.EditorLine.size());
    if (length != EditState.InfoRec.CurPos) return;
    if (length <= margin) return;

    ExamineLine();
    const std::string_view text = EditState.WorkLine;
    const std::string_view own = EditState.EditorLine;
    const char blank = OwnBlank();

    std::size_t start = 0;
    const MarkPosition last = LastMark(text);
    if (last.Found() && last.value <= margin - kPrefixRoom && FirstMark(text) <= kLastFirstMark) {
        EditState.QuotePrefix = PlainPrefix(text, own, blank);
        start = PrefixLength(text);
    } else {
        EditState.QuotePrefix.clear();
    }
    const bool quoted = !EditState.QuotePrefix.empty();

    Placement place{text, own, start, text.find_last_not_of(kBlankChars),
                    static_cast<std::size_t>(margin),
                    static_cast<std::size_t>(margin) - EditState.QuotePrefix.size(), blank, Text()};

    // The first line keeps its own leading blanks and is never indented.
    BuildNextLine(place, 0);
    StorePeerLine();
    BreakLine();

    // The bare remainder is measured against the margin itself.
    while (place.Remaining() > place.margin && place.HasWords()) {
        BuildNextLine(place, quoted ? 0 : ContinuationIndent(place));
        StorePeerLine();
        BreakLine();
    }

    const std::size_t indent = quoted ? 0 : ContinuationIndent(place);
    Text& line = EditState.PeerLine;
    line.assign(EditState.QuotePrefix);
    line.append(indent, blank);
    line.append(own.substr(place.next));
    StorePeerLine();
    Redraw();
}

}  // namespace marten
