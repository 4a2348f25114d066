// Search and replace in the editor: matches within one line, with or without
// regard to case (Latin and Cyrillic folded in the editor's own table) and
// as whole words or anywhere.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/editor.hpp"
#include "engine/editor_impl.hpp"
#include "engine/utf8.hpp"

namespace engine {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// UTF-8 text with each letter in its lower-case form. The letters that
// fold (Latin, Latin-1, Cyrillic) keep their length in bytes, so a position
// in the folded text is the same position in the text.
std::string FoldUtf8(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    while (!text.empty()) {
        char32_t ch = 0;
        std::size_t length = 0;
        if (!DecodeUtf8(text, ch, length)) length = 1;
        const std::size_t before = folded.size();
        if (length > 1 && FoldCase(ch) != ch) AppendUtf8(folded, FoldCase(ch));
        if (folded.size() - before != length) {
            folded.resize(before);
            folded.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return folded;
}

// Finds a query in lines of text: Horspool's algorithm over bytes that are
// first folded to one case when case does not matter. In UTF-8 a letter
// beyond ASCII may change more than one byte as it folds: the query and
// each line are folded whole first.
class Matcher {
public:
    Matcher(CodePage table, std::string_view query, const SearchOptions& options)
        : table_(table),
          foldWhole_(!IsSingleByte(table) && !options.matchCase),
          foldedQuery_(foldWhole_ ? FoldUtf8(query) : std::string()),
          query_(foldWhole_ ? std::string_view(foldedQuery_) : query),
          wholeWords_(options.wholeWords) {
        for (int b = 0; b < 256; ++b)
            fold_[b] = options.matchCase ? static_cast<unsigned char>(b)
                                         : FoldCase(table, static_cast<unsigned char>(b));
        skip_.fill(query_.size());
        for (std::size_t i = 0; i + 1 < query_.size(); ++i)
            skip_[Fold(query_[i])] = query_.size() - 1 - i;
    }
    Matcher(const Matcher&) = delete;
    Matcher& operator=(const Matcher&) = delete;

    std::size_t Size() const { return query_.size(); }

    // The first match in `text` that begins at or after `from`; kNone when none does.
    std::size_t First(std::string_view text, std::size_t from) const {
        return FirstIn(Prepared(text), from);
    }

private:
    std::size_t FirstIn(std::string_view text, std::size_t from) const {
        const std::size_t m = query_.size();
        std::size_t pos = from;
        while (pos <= text.size() && text.size() - pos >= m) {
            if (MatchesAt(text, pos)) {
                if (Bounded(text, pos)) return pos;
                ++pos;
                continue;
            }
            pos += skip_[Fold(text[pos + m - 1])];
        }
        return kNone;
    }

public:
    // The last match in `text` that begins before `before`; kNone when none does.
    std::size_t Last(std::string_view line, std::size_t before) const {
        const std::string_view text = Prepared(line);
        std::size_t found = kNone;
        for (std::size_t pos = FirstIn(text, 0); pos != kNone && pos < before;
             pos = FirstIn(text, pos + 1))
            found = pos;
        return found;
    }

    // Every match in `text` from `from` on that begins before `before`, none
    // overlapping the one before it.
    std::vector<std::size_t> All(std::string_view line, std::size_t from,
                                 std::size_t before) const {
        const std::string_view text = Prepared(line);
        std::vector<std::size_t> found;
        for (std::size_t pos = FirstIn(text, from); pos != kNone && pos < before;
             pos = FirstIn(text, pos + Size()))
            found.push_back(pos);
        return found;
    }

private:
    // The text the query is looked for in: the line, or its folded form.
    std::string_view Prepared(std::string_view line) const {
        if (!foldWhole_) return line;
        folded_ = FoldUtf8(line);
        return folded_;
    }

    unsigned char Fold(char c) const { return fold_[static_cast<unsigned char>(c)]; }
    bool IsWord(char c) const { return IsWordChar(table_, static_cast<unsigned char>(c)); }

    bool MatchesAt(std::string_view text, std::size_t pos) const {
        for (std::size_t i = query_.size(); i-- > 0;)
            if (Fold(text[pos + i]) != Fold(query_[i])) return false;
        return true;
    }

    // A match stands as a whole word when asked: no word character touches it.
    bool Bounded(std::string_view text, std::size_t pos) const {
        if (!wholeWords_) return true;
        const std::size_t end = pos + query_.size();
        return (pos == 0 || !IsWord(text[pos - 1])) && (end == text.size() || !IsWord(text[end]));
    }

    CodePage table_;
    bool foldWhole_;
    std::string foldedQuery_;
    std::string_view query_;
    bool wholeWords_;
    mutable std::string folded_;  // the line being searched, folded whole
    std::array<unsigned char, 256> fold_{};
    std::array<std::size_t, 256> skip_{};
};

// A match found: where it begins.
struct Found {
    int line;
    std::size_t pos;
};

std::optional<Found> Search(const Editor::Impl& e, const Matcher& matcher,
                            const SearchOptions& options) {
    if (!options.reverse) {
        std::size_t from = static_cast<std::size_t>(e.curPos) + (options.next ? 1 : 0);
        for (int line = e.curLine; line <= e.LastLine(); ++line, from = 0) {
            const std::string_view text = e.Text(line);
            if (from > text.size()) continue;
            if (const std::size_t pos = matcher.First(text, from); pos != kNone)
                return Found{line, pos};
        }
    } else {
        std::size_t before = static_cast<std::size_t>(e.curPos);
        for (int line = e.curLine; line >= 0; --line, before = kNone) {
            if (const std::size_t pos = matcher.Last(e.Text(line), before); pos != kNone)
                return Found{line, pos};
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Block> Editor::Find(std::string_view query, const SearchOptions& options) {
    Impl& e = *impl_;
    if (query.empty() || HasLineBreak(query)) return std::nullopt;
    const Matcher matcher(e.table, query, options);
    const std::optional<Found> found = Search(e, matcher, options);
    if (!found) return std::nullopt;
    const int pos = static_cast<int>(found->pos);
    // The cursor moves to the match as any move does: the block goes.
    e.block.reset();
    e.curLine = found->line;
    e.curPos = pos;
    e.ScrollToCursor();
    e.CheckInvariant();
    return Block{{found->line, pos}, {found->line, pos + static_cast<int>(query.size())}};
}

bool Editor::ReplaceFound(std::string_view replacement, const SearchOptions& options) {
    Impl& e = *impl_;
    if (!e.block || e.block->start.line != e.block->end.line || HasLineBreak(replacement))
        return false;
    return AsOneStep(e, [&] {
        const Block found = *e.block;
        e.Change().Splice(found.start.line, static_cast<std::size_t>(found.start.byteColumn),
                          static_cast<std::size_t>(found.end.byteColumn - found.start.byteColumn),
                          replacement);
        e.curLine = found.start.line;
        e.curPos =
            found.start.byteColumn + (options.reverse ? 0 : static_cast<int>(replacement.size()));
        return true;
    });
}

int Editor::ReplaceAll(std::string_view query, std::string_view replacement,
                       const SearchOptions& options) {
    Impl& e = *impl_;
    if (query.empty() || HasLineBreak(query) || HasLineBreak(replacement)) return 0;
    const Matcher matcher(e.table, query, options);
    return AsOneStep(e, [&] {
        int count = 0;
        const int first = options.reverse ? 0 : e.curLine;
        const int last = options.reverse ? e.curLine : e.LastLine();
        const auto cursor = static_cast<std::size_t>(e.curPos);
        std::optional<TextPosition> cursorAfter;
        // Forward the lines are taken downwards and the cursor ends after the
        // last replacement; in reverse upwards, ending before the first one.
        for (int k = 0; k <= last - first; ++k) {
            const int line = options.reverse ? last - k : first + k;
            const std::string_view text = e.Text(line);
            const std::size_t from = !options.reverse && line == e.curLine ? cursor : 0;
            const std::size_t before = options.reverse && line == e.curLine ? cursor : kNone;
            if (from > text.size()) continue;
            const std::vector<std::size_t> found = matcher.All(text, from, before);
            if (found.empty()) continue;
            std::string replaced;
            replaced.reserve(text.size() + found.size() * replacement.size());
            std::size_t at = 0;
            for (const std::size_t pos : found) {
                replaced.append(text.substr(at, pos - at)).append(replacement);
                at = pos + query.size();
            }
            const std::size_t lastEnd = replaced.size();
            replaced.append(text.substr(at));
            const std::size_t firstStart = found.front();
            e.Change().SetText(line, replaced);
            count += static_cast<int>(found.size());
            cursorAfter =
                TextPosition{line, static_cast<int>(options.reverse ? firstStart : lastEnd)};
        }
        if (cursorAfter) {
            e.curLine = cursorAfter->line;
            e.curPos = cursorAfter->byteColumn;
        }
        return count;
    });
}

}  // namespace engine
