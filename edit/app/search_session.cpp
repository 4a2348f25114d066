#include "edit/app/search_session.hpp"

#include <algorithm>
#include <charconv>

namespace edit {
namespace {

bool IsBlank(char32_t ch) { return ch == U' ' || ch == U'\t'; }

std::u32string_view Trimmed(std::u32string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A decimal number of at least 1 that fills the whole text.
std::optional<int> Count(std::u32string_view text) {
    std::string digits;
    for (char32_t ch : text) {
        if (ch < U'0' || ch > U'9') return std::nullopt;
        digits.push_back(static_cast<char>(ch));
    }
    int value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || value < 1) {
        return std::nullopt;
    }
    return value;
}

std::u32string Quoted(std::u32string_view text) { return U"\"" + std::u32string(text) + U"\""; }

std::u32string Ascii(std::string_view text) { return std::u32string(text.begin(), text.end()); }

}  // namespace

engine::SearchOptions OptionsOf(const SearchRequest& request, bool next, bool otherWay) {
    engine::SearchOptions options;
    options.matchCase = request.matchCase;
    options.wholeWords = request.wholeWords;
    options.reverse = request.reverse != otherWay;
    options.next = next;
    return options;
}

std::optional<std::string> TextInTable(engine::CodePage table, std::u32string_view text,
                                       std::u32string* missing) {
    std::string bytes;
    std::u32string lacking;
    for (char32_t ch : text) {
        if (auto typed = engine::EncodeChar(table, ch)) {
            bytes += typed->Bytes();
        } else if (lacking.find(ch) == std::u32string::npos) {
            lacking.push_back(ch);
        }
    }
    if (missing) *missing = lacking;
    if (!lacking.empty()) return std::nullopt;
    return bytes;
}

ReplaceOutcome ReplaceMatches(engine::Editor& editor, std::string_view query,
                              std::string_view replacement, engine::SearchOptions options,
                              const std::function<ReplaceChoice()>& ask) {
    ReplaceOutcome outcome;
    bool changed = false;  // the last answer put a replacement in
    while (const std::optional<engine::Block> match = editor.Find(query, options)) {
        ++outcome.found;
        editor.Select(match->start, match->end);  // shown while the user is asked
        switch (ask()) {
        case ReplaceChoice::Replace:
            editor.ReplaceFound(replacement, options);
            ++outcome.replaced;
            changed = true;
            // The cursor stands past the replacement (before it, in
            // reverse): the next match may begin right there.
            options.next = false;
            break;
        case ReplaceChoice::Skip:
            options.next = true;
            changed = false;
            break;
        case ReplaceChoice::All:
            // In reverse, ReplaceAll takes the matches that begin before the
            // cursor: one column on, this one is among them.
            if (options.reverse) editor.SetCursor(editor.CurLine(), editor.CurPos() + 1);
            options.next = false;
            outcome.replaced += editor.ReplaceAll(query, replacement, options);
            editor.ClearSelection();
            return outcome;
        case ReplaceChoice::Cancel: outcome.cancelled = true; return outcome;
        }
    }
    if (changed) editor.ClearSelection();
    return outcome;
}

std::optional<engine::TypedPosition> ParseGoTo(std::u32string_view text,
                                               engine::LineNumber current) {
    text = Trimmed(text);
    engine::TypedPosition target;
    const std::size_t split = text.find_first_of(U":,");
    const std::u32string_view lineText = Trimmed(text.substr(0, split));
    // ":COL" stays on the current line.
    const auto line =
        lineText.empty() && split != std::u32string_view::npos ? current.Value() : Count(lineText);
    if (!line) return std::nullopt;
    target.line = engine::LineNumber(*line);
    if (split != std::u32string_view::npos) {
        const auto column = Count(Trimmed(text.substr(split + 1)));
        if (!column) return std::nullopt;
        target.column = engine::ColumnNumber(*column);
    }
    return target;
}

void JumpTo(engine::Editor& editor, engine::TypedPosition target) {
    editor.ClearSelection();
    editor.GoTo(target);
}

std::vector<std::u32string> NotFoundLines(std::u32string_view query) {
    return {U"Could not find the string", Quoted(query)};
}

std::vector<std::u32string> NotInTableLines(std::u32string_view what, std::u32string_view missing,
                                            engine::CodePage table) {
    return {U"The " + Ascii(engine::CodePageName(table)) + U" table has no place for " +
                Quoted(missing) + U",",
            U"so " + std::u32string(what) + U" cannot be in this file."};
}

std::u32string ReplacedLine(int count) {
    return Ascii(std::to_string(count) +
                 (count == 1 ? " occurrence replaced" : " occurrences replaced"));
}

std::vector<std::u32string> NotAPositionLines(std::u32string_view text) {
    return {Quoted(text) + U" is not a position.", U"Type a line number, or line:column (from 1)."};
}

}  // namespace edit
