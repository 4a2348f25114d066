// Properties of the reflow over generated quoted messages (several authors,
// chains, one author written with and without the leading blank, lists,
// separators, protected lines, tabs, long words, Cyrillic and characters past
// the first plane): every paragraph keeps its words in order, no new line
// passes the margin but one that holds a single unbreakable piece, protected
// lines are never touched, reflowing twice gives what reflowing once gave,
// and pressing the command down the message gives what a block over all of
// it gives. And the balanced breaking against an exhaustive search.
#include "module/editor/reflow.hpp"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "module/editor/reflow_test_text.hpp"

namespace marten {
namespace {

using reflowtest::Lines;

// Seeded, so that every run generates the same messages; a failure names
// the seed of its message.
constexpr unsigned kFirstSeed = 2900;
constexpr int kMessages = 80;

// ---------------------------------------------------------------------------
// Messages

// Words that may start any line.
const char* const kPlainWords[] = {
    "the",     "quick",  "brown",      "fox",    "jumps",   "over",    "lazy",         "dog",
    "reply",   "quoted", "well-known", "e-mail", "FidoNet", "node",    "2:5020/1",     "42",
    "(yes)",   "don't",  "etc.",       "→",      "--",      "привет",  "сообщение",    "ответ",
    "Фидонет", "узел",   "хорошо",     "да",     "нет",     "эхо",     "𝔸𝔹𝔺", "x😀y",
    "𠀀𠀁",    "<b>",    "->",         "=>",     "1.5",     "SEEN-BY", "Origin:",
};
// Words that cannot start a line but a paragraph's first; the first two kinds
// keep the word after them when they open a paragraph.
const char* const kMarkWords[] = {"-", "*", "+", "1990.", "12)", "...", "===", "~~~~"};
const char* const kOtherNonStarters[] = {"SEEN-BY:", "AREA:X"};
// Words that would read as part of the prefix at a line's start: never
// generated there.
const char* const kGroupWords[] = {"x>", "AB>>", ">", "ИП>"};

struct Author {
    std::vector<const char*> variants;  // the same author written in different ways
};

const Author kAuthors[] = {
    {{""}},
    {{" AB> ", "AB> ", "\tAB> ", " AB>\t"}},
    {{" CD> AB> ", "CD> AB> ", " CD>AB> "}},
    {{" CD> "}},
    {{" AB>> ", "AB>> "}},
    {{" ИП> ", "ИП> "}},
    {{"> "}},
    {{" 𝔸B> "}},
    {{" ABCDEFGHIJ> "}},
};

struct MessageLine {
    std::u32string text;
    std::size_t prefixLength;  // of the prefix the generator wrote
    bool isProtected;
};

class MessageMaker {
public:
    explicit MessageMaker(unsigned seed) : random_(seed) {}

    std::vector<MessageLine> Make() {
        std::vector<MessageLine> lines;
        const int blocks = Between(2, 12);
        for (int b = 0; b < blocks; ++b) {
            const Author& author = kAuthors[Below(std::size(kAuthors))];
            switch (Below(10)) {
            case 0: AddLine(lines, Variant(author), Below(2) ? U"" : U"  "); break;
            case 1: AddLine(lines, Variant(author), Below(2) ? U"-----" : U"====="); break;
            case 2: AddProtected(lines, author); break;
            case 3: AddItem(lines, author); break;
            default: AddParagraph(lines, author); break;
            }
        }
        return lines;
    }

private:
    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    std::size_t Below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    std::u32string Variant(const Author& author) {
        return reflowtest::DecodeUtf8(author.variants[Below(author.variants.size())]);
    }

    std::u32string Word(bool startsLine) {
        const std::size_t kind = Below(20);
        if (kind == 0) {
            std::u32string word;  // longer than some rooms, of letters that repeat no run
            const int length = Between(15, 80);
            for (int i = 0; i < length; ++i)
                word += static_cast<char32_t>(i % 2 ? U'я' : U'a' + i % 26);
            return word;
        }
        if (kind <= 2) return reflowtest::DecodeUtf8(kMarkWords[Below(std::size(kMarkWords))]);
        if (kind == 3) {
            return reflowtest::DecodeUtf8(kOtherNonStarters[Below(std::size(kOtherNonStarters))]);
        }
        if (kind == 4 && !startsLine) {
            return reflowtest::DecodeUtf8(kGroupWords[Below(std::size(kGroupWords))]);
        }
        return reflowtest::DecodeUtf8(kPlainWords[Below(std::size(kPlainWords))]);
    }

    std::u32string Gap() {
        static const char32_t* const kGaps[] = {U" ", U" ", U" ", U" ", U"  ", U"\t", U" \t"};
        return kGaps[Below(std::size(kGaps))];
    }

    // The words of one line after its prefix, with an indent of `indent` blanks.
    std::u32string Words(int count, int indent) {
        std::u32string text(static_cast<std::size_t>(indent), U' ');
        for (int w = 0; w < count; ++w) {
            if (w > 0) text += Gap();
            text += Word(w == 0);
        }
        if (Below(5) == 0) text += U"  ";  // trailing blanks
        return text;
    }

    void AddLine(std::vector<MessageLine>& lines, const std::u32string& prefix,
                 const std::u32string& text, bool isProtected = false) {
        lines.push_back({prefix + text, prefix.size(), isProtected});
    }

    void AddParagraph(std::vector<MessageLine>& lines, const Author& author) {
        const int count = Between(1, 6);
        for (int k = 0; k < count; ++k) {
            const int indent = Below(6) == 0 ? Between(1, 2) : 0;
            AddLine(lines, Variant(author), Words(Between(1, 12), indent));
        }
    }

    void AddItem(std::vector<MessageLine>& lines, const Author& author) {
        static const char32_t* const kMarks[] = {U"- ", U"* ", U"1. ", U"2) "};
        AddLine(lines, Variant(author),
                kMarks[Below(std::size(kMarks))] + Words(Between(1, 10), 0));
        if (Below(2)) AddLine(lines, Variant(author), Words(Between(1, 10), 0));
    }

    void AddProtected(std::vector<MessageLine>& lines, const Author& author) {
        static const char32_t* const kQuotable[] = {U"--- GoldED+/W32 1.1.5", U"---",
                                                    U" * Origin: A station (2:5020/1)",
                                                    U"SEEN-BY: 5020/1 2 3", U"\x01PID: x"};
        static const char32_t* const kOwn[] = {U"\x01MSGID: 2:5020/1 1234abcd", U"AREA:SU.GENERAL"};
        if (Below(3) == 0) {
            AddLine(lines, U"", kOwn[Below(std::size(kOwn))], true);
        } else {
            AddLine(lines, Variant(author), kQuotable[Below(std::size(kQuotable))], true);
        }
    }

    std::mt19937 random_;
};

// ---------------------------------------------------------------------------
// Checks

std::set<std::u32string> WordSet(std::span<const char* const> words) {
    std::set<std::u32string> set;
    for (const char* word : words) set.insert(reflowtest::DecodeUtf8(word));
    return set;
}

template <class C>
std::vector<std::basic_string<C>> WordsOf(std::basic_string_view<C> text) {
    std::vector<std::basic_string<C>> words;
    for (std::size_t i = 0; i < text.size();) {
        while (i < text.size() && IsPrefixBlank(text[i])) ++i;
        const std::size_t begin = i;
        while (i < text.size() && !IsPrefixBlank(text[i])) ++i;
        if (i > begin) words.emplace_back(text.substr(begin, i - begin));
    }
    return words;
}

// A line past the margin holds one word, or one word and words that cannot
// start a line; the mark that opens a paragraph keeps the word after it.
template <class C>
bool OnlyOnePiece(const std::vector<std::basic_string<C>>& words) {
    static const std::set<std::u32string> marks = WordSet(kMarkWords);
    static const std::set<std::u32string> others = WordSet(kOtherNonStarters);
    static const std::set<std::u32string> groups = WordSet(kGroupWords);
    auto in = [](const std::set<std::u32string>& set, const std::basic_string<C>& word) {
        for (const auto& entry : set) {
            if (reflowtest::Encode<C>(entry) == word) return true;
        }
        return false;
    };
    std::size_t k = 1;
    if (words.size() > 1 && in(marks, words[0])) k = 2;
    for (; k < words.size(); ++k) {
        if (!in(marks, words[k]) && !in(others, words[k]) && !in(groups, words[k])) return false;
    }
    return true;
}

std::string Dump(const std::vector<MessageLine>& message) {
    std::string out;
    for (const MessageLine& line : message) {
        std::string text = reflowtest::ToUtf8(std::u32string_view(line.text));
        std::string shown;
        for (const char c : text) {
            if (c == '\t') {
                shown += "\\t";
            } else if (c == '\x01') {
                shown += "\\x01";
            } else {
                shown += c;
            }
        }
        out += "  \"" + shown + "\"\n";
    }
    return out;
}

template <class C>
class ReflowProperty : public testing::Test {
protected:
    // One message in one mode and margin; false after a failure.
    bool Check(const std::vector<MessageLine>& message, const ReflowRequest& all) {
        Lines<C> lines;
        for (const MessageLine& line : message) lines.push_back(reflowtest::Encode<C>(line.text));
        const ReflowResult<C> result = reflowtest::RunReflow(lines, all);
        for (const ReflowEdit<C>& edit : result.edits) CheckEdit(message, lines, edit, all.margin);
        Lines<C> once = lines;
        reflowtest::ApplyEdits(once, result);

        ReflowRequest twice = all;
        twice.block = LineRange{0, once.size() - 1};
        const ReflowResult<C> again = reflowtest::RunReflow(once, twice);
        EXPECT_FALSE(again.Changed()) << "reflowing its own output changed the text";

        EXPECT_EQ(reflowtest::ToUtf8(Walk(lines, all)), reflowtest::ToUtf8(once))
            << "pressing the command down the message differs from a block over it";
        return !this->HasFailure();
    }

    void CheckEdit(const std::vector<MessageLine>& message, const Lines<C>& lines,
                   const ReflowEdit<C>& edit, std::size_t margin) {
        std::vector<std::basic_string<C>> before, after;
        for (std::size_t k = 0; k < edit.oldCount; ++k) {
            const MessageLine& line = message[edit.firstLine + k];
            EXPECT_FALSE(line.isProtected) << "line " << edit.firstLine + k << " is protected";
            const auto words = WordsOf(
                std::basic_string_view<C>(lines[edit.firstLine + k]).substr(PrefixUnits(line)));
            before.insert(before.end(), words.begin(), words.end());
        }
        const std::size_t prefix = PrefixUnits(message[edit.firstLine]);
        for (std::size_t k = 0; k < edit.LineCount(); ++k) {
            const std::basic_string_view<C> line = edit.Line(k);
            const auto words = WordsOf(line.substr(prefix));
            if (line.size() > margin) {
                EXPECT_TRUE(OnlyOnePiece(words))
                    << "line " << k << " of the paragraph at " << edit.firstLine
                    << " passes the margin: " << reflowtest::ToUtf8(line);
            }
            after.insert(after.end(), words.begin(), words.end());
        }
        EXPECT_TRUE(before == after)
            << "the paragraph at " << edit.firstLine << " lost or changed words";
    }

    // The units the generator's prefix of `line` takes in C.
    static std::size_t PrefixUnits(const MessageLine& line) {
        return reflowtest::Encode<C>(std::u32string_view(line.text).substr(0, line.prefixLength))
            .size();
    }

    // The command pressed from the first line until the cursor stays put.
    static Lines<C> Walk(Lines<C> lines, const ReflowRequest& all) {
        ReflowRequest press = all;
        press.block.reset();
        press.cursorLine = 0;
        for (std::size_t presses = 0; presses <= lines.size() + 1; ++presses) {
            const ReflowResult<C> result = reflowtest::RunReflow(lines, press);
            reflowtest::ApplyEdits(lines, result);
            if (!result.moveCursor || result.cursorColumn != 0) break;
            press.cursorLine = result.cursorLine;
        }
        return lines;
    }
};

using CharTypes = testing::Types<char16_t, wchar_t, char>;
TYPED_TEST_SUITE(ReflowProperty, CharTypes);

TYPED_TEST(ReflowProperty, GeneratedMessages) {
    const std::size_t margins[] = {30, 40, 60, 78};
    for (int m = 0; m < kMessages; ++m) {
        const unsigned seed = kFirstSeed + static_cast<unsigned>(m);
        const std::vector<MessageLine> message = MessageMaker(seed).Make();
        const std::size_t margin = margins[seed % std::size(margins)];
        for (const ReflowMode mode : {ReflowMode::Greedy, ReflowMode::Balanced}) {
            const ReflowRequest all{0, LineRange{0, message.size() - 1}, margin, mode};
            if (!this->Check(message, all)) {
                ADD_FAILURE() << "seed " << seed << ", margin " << margin << ", "
                              << (mode == ReflowMode::Greedy ? "greedy" : "balanced")
                              << ", the message:\n"
                              << Dump(message);
                return;
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Balanced breaking against every way of breaking

// The least cost from each start by trying every end: the reference.
IndexList ExhaustiveBalanced(const std::vector<std::size_t>& widths, const BreakLayout& layout) {
    const std::size_t n = widths.size();
    std::vector<std::uint64_t> cost(n + 1, 0);
    std::vector<std::size_t> best(n + 1, n);
    for (std::size_t i = n; i-- > 0;) {
        std::size_t width = i == 0 ? layout.firstHead : layout.head;
        cost[i] = UINT64_MAX;
        for (std::size_t j = i + 1; j <= n; ++j) {
            width += widths[j - 1] + (j > i + 1 ? 1 : 0);
            if (width > layout.margin && j > i + 1) break;
            const std::uint64_t free = width > layout.margin ? 0 : layout.margin - width;
            const std::uint64_t total = cost[j] + (j == n ? 0 : free * free);
            if (total <= cost[i]) {  // of equal costs, the longer line
                cost[i] = total;
                best[i] = j;
            }
        }
    }
    IndexList starts;
    for (std::size_t i = 0; i < n; i = best[i]) starts.push_back(i);
    return starts;
}

TEST(ReflowBreaking, BalancedFindsTheLeastCostAndTheLongestEarlierLines) {
    std::mt19937 random(kFirstSeed);
    auto between = [&](std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(random);
    };
    for (int round = 0; round < 3000; ++round) {
        const std::size_t head = between(0, 6);
        const BreakLayout layout{head + between(0, 6), head, between(20, 40)};
        std::vector<std::size_t> widths(between(1, 16));
        // Mostly short pieces, so that lines hold several; now and then one wider than the room.
        for (std::size_t& width : widths)
            width = between(0, 9) == 0 ? between(10, 45) : between(1, 8);
        IndexList starts;
        BreakBalanced(widths, layout, starts);
        const IndexList expected = ExhaustiveBalanced(widths, layout);
        ASSERT_EQ(starts, expected) << "round " << round << ", margin " << layout.margin;
    }
}

}  // namespace
}  // namespace marten
