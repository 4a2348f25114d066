// The reflow's rules: the prefix, what a line is, which words may start a
// line, and the command on whole texts (a table of cases, each run on
// UTF-16 and UTF-32 lines, and those in ASCII on 8-bit lines too).
#include "module/editor/reflow.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "module/editor/reflow_test_text.hpp"

namespace marten {
namespace {

using reflowtest::FromUtf8;
using reflowtest::Lines;
using reflowtest::ToUtf8;

std::u16string U16(std::string_view utf8) { return FromUtf8<char16_t>(utf8); }

// ---------------------------------------------------------------------------
// Lines

struct ShapeCase {
    std::string line;
    LineKind kind;
    std::size_t prefixLength;
    std::size_t indent;
    bool opensItem;
};

TEST(ReflowLines, ShapeOfEachKindOfLine) {
    const LineKind T = LineKind::Text, B = LineKind::Blank, S = LineKind::Separator,
                   P = LineKind::Protected;
    const ShapeCase cases[] = {
        {" AB> text", T, 5, 0, false},
        {"AB> text", T, 4, 0, false},
        {" CD> AB> text", T, 9, 0, false},
        {"> text", T, 2, 0, false},
        {" ИП> текст", T, 5, 0, false},
        {"\tAB>\ttext", T, 5, 0, false},
        {"AB>CD> text", T, 7, 0, false},
        // A character right after the marks is text: the prefix keeps no blank.
        {" AB>text", T, 4, 0, false},
        // Blanks after the prefix's one blank are the line's indent.
        {" AB>   text", T, 5, 2, false},
        {"   text", T, 0, 3, false},
        // Not prefixes: an arrow, a tag, eleven initials, initials and a blank.
        {"-> text", T, 0, 0, false},
        {"<b> text", T, 0, 0, false},
        {"ABCDEFGHIJK> text", T, 0, 0, false},
        {"ABCDEFGHIJ> text", T, 12, 0, false},
        {"AB > text", T, 0, 0, false},
        {"", B, 0, 0, false},
        {"   ", B, 0, 3, false},
        {" AB>", B, 4, 0, false},
        {" AB>  \t", B, 5, 2, false},
        {" AB> -----", S, 5, 0, false},
        {"=====  ", S, 0, 0, false},
        {"...", S, 0, 0, false},
        {" AB> ═════", S, 5, 0, false},
        // Letters and digits make no separator.
        {"zzz", T, 0, 0, false},
        {"ммм", T, 0, 0, false},
        {" AB> --", T, 5, 0, false},
        {"- item", T, 0, 0, true},
        {" AB>   12. item", T, 5, 2, true},
        {"1990) item", T, 0, 0, true},
        // A mark needs the blank after it.
        {"-", T, 0, 0, false},
        {"1990.", T, 0, 0, false},
        {"-item", T, 0, 0, false},
        {"1.5 items", T, 0, 0, false},
        {"\x01MSGID: 2:5020/1 1234abcd", P, 0, 0, false},
        {" AB> \x01PID: x", P, 5, 0, false},
        {"--- GoldED+ 1.1.5", P, 0, 0, false},
        {"---", P, 0, 0, false},
        {" AB> ---", P, 5, 0, false},
        {"---x", T, 0, 0, false},
        {"----", S, 0, 0, false},
        {" * Origin: A station (2:5020/1)", P, 0, 1, false},
        {" AB>  * Origin: A station (2:5020/1)", P, 5, 1, false},
        {"SEEN-BY: 5020/1 2", P, 0, 0, false},
        {"AREA:SU.GENERAL", P, 0, 0, false},
        {"* Origins of the text", T, 0, 0, true},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.line);
        const std::u16string line = U16(c.line);
        const LineShape shape = ShapeOf(std::u16string_view(line));
        EXPECT_EQ(shape.kind, c.kind);
        EXPECT_EQ(shape.prefixLength, c.prefixLength);
        EXPECT_EQ(shape.indent, c.indent);
        EXPECT_EQ(shape.opensItem, c.opensItem);
    }
}

TEST(ReflowLines, PrefixesOfOneAuthorAreEqualWithoutBlanks) {
    struct Case {
        std::string a, b;
        bool same;
    };
    const Case cases[] = {
        {" AB> ", "AB> ", true},
        {" AB> ", "\tAB>", true},
        {" CD> AB> ", "CD>AB> ", true},
        {" CD> AB> ", " CD> ", false},
        {" AB> ", " AB>> ", false},
        {" AB> ", " AC> ", false},
        {"", "", true},
        {"", " AB> ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a + "|" + c.b);
        EXPECT_EQ(SameAuthor(std::string_view(c.a), std::string_view(c.b)), c.same);
        EXPECT_EQ(SameAuthor(std::string_view(c.b), std::string_view(c.a)), c.same);
    }
}

TEST(ReflowLines, WordsThatCannotStartALine) {
    for (const char* word : {"-", "*", "+", "1.", "1990.", "12)", "---", "...", "===", "AB>", ">",
                             ">>>", "x>y", "ИП>", "\x01PID:", "SEEN-BY:", "AREA:SU.GENERAL"}) {
        SCOPED_TRACE(word);
        EXPECT_TRUE(CannotStartLine(std::u16string_view(U16(word))));
    }
    for (const char* word : {"--", "-x", "1.5", "a)", "->", "=>", "<b>", "Origin:", "SEEN-BY",
                             "AREA", "ABCDEFGHIJK>", "слово", "zzz"}) {
        SCOPED_TRACE(word);
        EXPECT_FALSE(CannotStartLine(std::u16string_view(U16(word))));
    }
}

TEST(ReflowLines, LettersAndDigitsOfEveryScript) {
    for (const char32_t c : {U'0', U'9', U'A', U'z', U'é', U'Ж', U'я', U'Ё', U'α', U'א', U'ي',
                             U'中', U'あ', U'٣', U'१', U'𝔸', U'𠀀'}) {
        EXPECT_TRUE(IsLetterOrDigit(c)) << std::hex << static_cast<unsigned>(c);
    }
    for (const char32_t c : {U' ', U'>', U'-', U'_', U'.', U'«', U'—', U'№', U'😀', U'\x01', U'\xA0',
                             char32_t{0xD800}, char32_t{0x110000}}) {
        EXPECT_FALSE(IsLetterOrDigit(c)) << std::hex << static_cast<unsigned>(c);
    }
}

// Initials past the first plane are one letter each; a lone half of a pair is none.
TEST(ReflowLines, InitialsTakeWholeCharactersOfUtf16) {
    EXPECT_EQ(QuotePrefixLength(std::u16string_view(U16(" 𝔸𝔹> x"))), 7u);
    EXPECT_EQ(QuotePrefixLength(std::u16string_view(U16("𝔸𝔸𝔸𝔸𝔸𝔸𝔸𝔸𝔸𝔸> x"))), 22u);
    EXPECT_EQ(QuotePrefixLength(std::u16string_view(U16("𝔸𝔸𝔸𝔸𝔸𝔸𝔸𝔸𝔸𝔸𝔸> x"))), 0u);
    const std::u16string lone = {0xD835, u'>', u' ', u'x'};
    EXPECT_EQ(QuotePrefixLength(std::u16string_view(lone)), 0u);
}

// The 8-bit tables are not known to the rules: their upper half is letters
// for a prefix, and makes a separator line of a run of one byte.
TEST(ReflowLines, UpperHalfOfAnEightBitTableIsInitials) {
    EXPECT_EQ(QuotePrefixLength(std::string_view(" \x88\x8F> text")), 5u);  // " ИП> " in 866
    EXPECT_EQ(QuotePrefixLength(std::string_view(" \x01> text")), 0u);
    EXPECT_EQ(ShapeOf(std::string_view("\xCD\xCD\xCD\xCD")).kind, LineKind::Separator);  // 866
    EXPECT_TRUE(CannotStartLine(std::string_view("\xCD\xCD\xCD")));
    EXPECT_FALSE(CannotStartLine(std::string_view("\xA8\xAF")));  // "ИП" in 866
    EXPECT_TRUE(CannotStartLine(std::string_view("\xA8\xAF>")));
}

TEST(ReflowLines, MarginIsRIndentOr78WhenTheWrapIsOff) {
    const std::pair<std::int64_t, std::size_t> cases[] = {
        {78, 78}, {60, 60}, {1, 1}, {0, 78}, {-1, 78}, {-2147483648LL, 78}, {100000, 100000}};
    for (const auto& [rIndent, margin] : cases) EXPECT_EQ(ReflowMargin(rIndent), margin) << rIndent;
}

// ---------------------------------------------------------------------------
// The command

// A text is its lines joined by '|'.
struct CommandCase {
    const char* name;
    std::size_t cursor;
    std::optional<LineRange> block;
    std::size_t margin;
    ReflowMode mode;
    std::string text;
    std::string expected;
    bool moves;  // the command found a paragraph, and the cursor goes to:
    std::size_t line, column;
    std::size_t paragraphs, leftNarrow;
};

constexpr ReflowMode kGreedy = ReflowMode::Greedy;
constexpr ReflowMode kBalanced = ReflowMode::Balanced;
constexpr std::nullopt_t kNoBlock = std::nullopt;

const std::string kLong = std::string(30, 'b');  // longer than the room after " AB> " at 30

const CommandCase kCommandCases[] = {
    {"RaggedQuoteIsRewrapped", 1, kNoBlock, 30, kGreedy,
     " AB> The quick brown fox| AB> jumps over the lazy dog and runs far away| AB> into the "
     "woods.|",
     " AB> The quick brown fox jumps| AB> over the lazy dog and| AB> runs far away into the| AB> "
     "woods.|",
     true, 4, 0, 1, 0},
    {"SameAuthorWithAndWithoutTheLeadingBlank", 1, kNoBlock, 30, kGreedy,
     "AB> one| AB> two|\tAB>three| AB>  four|x", "AB> one two three| AB>  four|x", true, 1, 0, 1,
     0},
    {"ChainIsOneAuthorApartFromItsFirstQuote", 0, kNoBlock, 30, kGreedy,
     " CD> AB> one two|CD> AB> three| CD> four| CD> five",
     " CD> AB> one two three| CD> four| CD> five", true, 1, 0, 1, 0},
    {"MoreMarksAreAnotherAuthor", 0, kNoBlock, 30, kGreedy, " AB>> one| AB> two",
     " AB>> one| AB> two", true, 1, 0, 1, 0},
    {"FirstLineKeepsItsIndentAndJoinsTakeOneBlank", 2, kNoBlock, 30, kGreedy,
     " AB>    one   | AB>  two| AB> three|", " AB>    one two three|", true, 1, 0, 1, 0},
    {"BlanksInsideALineAndTabsStayTrailingOnesGo", 0, kNoBlock, 30, kGreedy,
     " AB> one\ttwo  three   | AB>", " AB> one\ttwo  three| AB>", true, 1, 0, 1, 0},
    {"RunsOfBlanksShrinkFromTheRightWhereTheLineWouldPassTheMargin", 0, kNoBlock, 30, kGreedy,
     " AB> aaaa  bbbb  cccc  dddd  eeee|", " AB> aaaa  bbbb cccc dddd eeee|", true, 1, 0, 1, 0},
    {"WordLongerThanTheRoomStandsAlone", 0, kNoBlock, 30, kGreedy, " AB> a " + kLong + " c",
     " AB> a| AB> " + kLong + "| AB> c", true, 2, 6, 1, 0},
    {"BreakBeforeAListMarkMovesOneWordEarlier", 0, kNoBlock, 30, kGreedy,
     " AB> aaaa bbbb cccc dddd eeee - ffff|", " AB> aaaa bbbb cccc dddd| AB> eeee - ffff|", true, 2,
     0, 1, 0},
    {"BreakBeforeWordsThatWouldReadAsPrefixOrProtectedMovesEarlier", 0, kNoBlock, 30, kGreedy,
     " AB> aaaa bbbb cccc dddd eeee CD> ffff gggg hhhh iiii jjjj kkkk SEEN-BY: x|",
     " AB> aaaa bbbb cccc dddd| AB> eeee CD> ffff gggg hhhh| AB> iiii jjjj kkkk SEEN-BY: x|", true,
     3, 0, 1, 0},
    {"BreakMovesLaterWhenEarlierLeavesNoWord", 0, kNoBlock, 30, kGreedy, " AB> " + kLong + " - c|",
     " AB> " + kLong + " -| AB> c|", true, 2, 0, 1, 0},
    {"ListMarkKeepsTheWordAfterIt", 0, kNoBlock, 30, kGreedy, " AB> - " + kLong + "| AB> - two|",
     " AB> - " + kLong + "| AB> - two|", true, 1, 0, 1, 0},
    {"ListItemTakesItsUnindentedLines", 1, kNoBlock, 30, kGreedy,
     " AB> - one two| AB> three| AB> - four| AB>   five",
     " AB> - one two three| AB> - four| AB>   five", true, 1, 0, 1, 0},
    {"Cyrillic", 0, kNoBlock, 30, kGreedy,
     " ИП> Привет, как дела? Всё хорошо,| ИП> спасибо большое.|",
     " ИП> Привет, как дела? Всё| ИП> хорошо, спасибо большое.|", true, 2, 0, 1, 0},
    {"OnABlankLineTheNextParagraphBelow", 1, kNoBlock, 30, kGreedy,
     " AB> x|| AB>| AB> one| AB> two", " AB> x|| AB>| AB> one two", true, 3, 12, 1, 0},
    {"OnAProtectedLineTheNextParagraphBelow", 1, kNoBlock, 30, kGreedy,
     "one|--- GoldED+|two|three|", "one|--- GoldED+|two three|", true, 3, 0, 1, 0},
    {"AtTheEndOfTheTextNothing", 1, kNoBlock, 30, kGreedy, " AB> one|| AB>|-----",
     " AB> one|| AB>|-----", false, 0, 0, 0, 0},
    {"ParagraphAlreadyInShapeChangesNothingButTheCursorMoves", 0, kNoBlock, 30, kGreedy,
     " AB> one two|", " AB> one two|", true, 1, 0, 1, 0},
    {"TooLittleRoomLeavesTheParagraph", 0, kNoBlock, 32, kGreedy,
     " ABCDEFGHIJ> one| ABCDEFGHIJ> two|", " ABCDEFGHIJ> one| ABCDEFGHIJ> two|", true, 2, 0, 1, 1},
    {"TwentyColumnsOfRoomAreEnough", 0, kNoBlock, 33, kGreedy, " ABCDEFGHIJ> one| ABCDEFGHIJ> two|",
     " ABCDEFGHIJ> one two|", true, 1, 0, 1, 0},
    {"BlockOverSeveralParagraphsWithOneTooNarrow", 0, LineRange{1, 7}, 30, kGreedy,
     " AB> one two| AB> three|| ABCDEFGHIJ> too narrow here| ABCDEFGHIJ> and here||\x01MSGID: "
     "1|XY> four five|XY> six",
     " AB> one two three|| ABCDEFGHIJ> too narrow here| ABCDEFGHIJ> and here||\x01MSGID: 1|XY> "
     "four five six",
     true, 6, 17, 3, 1},
    {"BlockTouchingOneLineTakesItsWholeParagraph", 0, LineRange{1, 1}, 30, kGreedy,
     "one|two|three||four|five", "one two three||four|five", true, 1, 0, 1, 0},
    {"BlockGivenBackwardsAndPastTheEnd", 0, LineRange{9, 1}, 30, kGreedy, "one|two||four|five",
     "one two||four five", true, 2, 9, 2, 0},
    {"BlockOfNoParagraphNothing", 0, LineRange{1, 3}, 30, kGreedy, "one||---||two", "one||---||two",
     false, 0, 0, 0, 0},
    // Greedy fills the first line and leaves the second nearly empty (cost
    // 12 * 12); balanced gives 10 * 10 + 2 * 2.
    {"BalancedEvensTheLines", 0, kNoBlock, 20, kBalanced,
     "aaaaaaaaaa bbbbbbbbb cccccccc dddddddddddddddddddd|",
     "aaaaaaaaaa|bbbbbbbbb cccccccc|dddddddddddddddddddd|", true, 3, 0, 1, 0},
    {"GreedyFillsTheFirstLine", 0, kNoBlock, 20, kGreedy,
     "aaaaaaaaaa bbbbbbbbb cccccccc dddddddddddddddddddd|",
     "aaaaaaaaaa bbbbbbbbb|cccccccc|dddddddddddddddddddd|", true, 3, 0, 1, 0},
    // Free columns 0 and 3, or 3 and 0: of equal costs, the longer first line.
    {"BalancedTakesLongerEarlierLinesOfEqualCosts", 0, kNoBlock, 20, kBalanced,
     "aaaaaaaaaaaaaaaaa|qq rrrrrrrrrrrrrrrrr zzzz|", "aaaaaaaaaaaaaaaaa qq|rrrrrrrrrrrrrrrrr|zzzz|",
     true, 3, 0, 1, 0},
};

// The same boundary between two paragraphs of one author, line by line.
const char* const kBoundaries[] = {
    "",
    " AB>",
    " AB>   ",
    " AB>   indented",
    " AB> - item",
    " AB> * item",
    " AB> + item",
    " AB> 12. item",
    " AB> 3) item",
    " AB> -----",
    " AB> =====",
    " AB> ...",
    " CD> another author",
    " AB>> a deeper quote",
    " CD> AB> a chain",
    "\x01MSGID: 2:5020/1 1234abcd",
    " AB> \x01PID: x",
    " AB> --- GoldED+",
    " AB> ---",
    " AB>  * Origin: A station (2:5020/1)",
    " AB> SEEN-BY: 5020/1",
    " AB> AREA:SU.GENERAL",
};

// The same boundaries in a text without prefixes.
const char* const kUnquotedBoundaries[] = {
    "",
    "   indented",
    "- item",
    "12. item",
    "-----",
    "\x01MSGID: 2:5020/1 1234abcd",
    "--- GoldED+",
    "---",
    " * Origin: A station (2:5020/1)",
    "SEEN-BY: 5020/1",
    "AREA:SU.GENERAL",
};

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '|') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

template <class C>
bool Representable(const std::string& text) {
    if (sizeof(C) > 1) return true;
    for (const char byte : text) {
        if (static_cast<unsigned char>(byte) >= 0x80) return false;
    }
    return true;
}

template <class C>
Lines<C> Make(const std::vector<std::string>& text) {
    Lines<C> lines;
    for (const std::string& line : text) lines.push_back(FromUtf8<C>(line));
    return lines;
}

template <class C>
void RunCase(const CommandCase& c) {
    SCOPED_TRACE(c.name);
    Lines<C> lines = Make<C>(SplitLines(c.text));
    const ReflowRequest request{c.cursor, c.block, c.margin, c.mode};
    const ReflowResult<C> result = reflowtest::RunReflow(lines, request);
    reflowtest::ApplyEdits(lines, result);
    EXPECT_EQ(ToUtf8(lines), SplitLines(c.expected));
    EXPECT_EQ(result.Changed(), c.expected != c.text);
    EXPECT_EQ(result.moveCursor, c.moves);
    if (c.moves) {
        EXPECT_EQ(result.cursorLine, c.line);
        EXPECT_EQ(result.cursorColumn, c.column);
    }
    EXPECT_EQ(result.paragraphs, c.paragraphs);
    EXPECT_EQ(result.leftNarrow, c.leftNarrow);
    // A second press on the same paragraphs changes nothing.
    const ReflowResult<C> again = reflowtest::RunReflow(lines, request);
    EXPECT_FALSE(again.Changed());
}

template <class C>
class ReflowCommand : public testing::Test {};

using CharTypes = testing::Types<char16_t, wchar_t, char>;
TYPED_TEST_SUITE(ReflowCommand, CharTypes);

TYPED_TEST(ReflowCommand, Cases) {
    for (const CommandCase& c : kCommandCases) {
        if (Representable<TypeParam>(c.text)) RunCase<TypeParam>(c);
    }
}

TYPED_TEST(ReflowCommand, EveryBoundaryEndsTheParagraph) {
    auto check = [](const std::string& prefix, const std::string& boundary) {
        const std::string text =
            prefix + "one|" + prefix + "two|" + boundary + "|" + prefix + "three";
        const std::string expected = prefix + "one two|" + boundary + "|" + prefix + "three";
        const CommandCase c{"boundary", 0, kNoBlock, 30, kGreedy, text, expected, true, 1, 0, 1, 0};
        SCOPED_TRACE(boundary);
        RunCase<TypeParam>(c);
    };
    for (const char* boundary : kBoundaries) check(" AB> ", boundary);
    for (const char* boundary : kUnquotedBoundaries) check("", boundary);
}

// A surrogate pair counts two columns in UTF-16 and one in UTF-32.
TEST(ReflowCommand, CharactersPastTheFirstPlaneCountAsTheEditorCounts) {
    const std::vector<std::string> text = {"𝔸𝔹😀𝔸𝔹 𝔸𝔹😀𝔸𝔹 𝔸𝔹😀𝔸𝔹", ""};
    const ReflowRequest request{0, kNoBlock, 20, kGreedy};
    Lines<char16_t> utf16 = Make<char16_t>(text);
    reflowtest::ApplyEdits(utf16, reflowtest::RunReflow(utf16, request));
    EXPECT_EQ(ToUtf8(utf16), (std::vector<std::string>{"𝔸𝔹😀𝔸𝔹", "𝔸𝔹😀𝔸𝔹", "𝔸𝔹😀𝔸𝔹", ""}));
    Lines<char32_t> utf32 = Make<char32_t>(text);
    const ReflowResult<char32_t> result = reflowtest::RunReflow(utf32, request);
    EXPECT_FALSE(result.Changed());
}

// The command reads the paragraph at the cursor and the lines around it
// that bound it, not the whole text.
TEST(ReflowCommand, ReadsOnlyTheLinesAroundTheParagraph) {
    std::vector<std::string> text;
    for (int paragraph = 0; paragraph < 100; ++paragraph) {
        text.insert(text.end(), {" AB> one two", " AB> three", ""});
    }
    const Lines<char16_t> lines = Make<char16_t>(text);
    reflowtest::RecordingLines<char16_t> source(lines);
    const ReflowResult<char16_t> result = Reflow(source, ReflowRequest{151, kNoBlock, 30, kGreedy});
    ASSERT_TRUE(result.Changed());
    EXPECT_EQ(result.edits[0].firstLine, 150u);
    for (const std::size_t line : source.read) EXPECT_TRUE(line >= 149 && line <= 152) << line;
}

}  // namespace
}  // namespace marten
