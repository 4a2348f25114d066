#include "engine/line_store.hpp"

#include <gtest/gtest.h>

#include <string>

namespace engine {
namespace {

std::string Texts(const LineStore& store) {
    std::string out;
    for (int n = 0; n < store.Count(); ++n) {
        if (n) out += '|';
        out += store.At(n).Text();
        out += EolText(store.At(n).GetEol()) == "\r\n" ? "~" : "";
    }
    return out;
}

TEST(LineStore, SplitsTheFileIntoZeroTerminatedSpansOfItsBytes) {
    const struct {
        const char* bytes;
        const char* lines;  // '~' marks CR LF
        int count;
    } cases[] = {
        {"", "", 1},
        {"a", "a", 1},
        {"a\r\nb", "a~|b", 2},
        {"a\n\rb", "a||b", 3},  // LF, then a lone CR
        {"a\r\r\nb\n", "a|~|b|", 4},
    };
    for (const auto& c : cases) {
        const LineStore store{std::string(c.bytes)};
        EXPECT_EQ(store.Count(), c.count) << c.bytes;
        EXPECT_EQ(Texts(store), c.lines) << c.bytes;
        for (int n = 0; n < store.Count(); ++n) {
            EXPECT_EQ(store.At(n).Data()[store.At(n).Size()], '\0');
            EXPECT_EQ(store.At(n).HeapBytes(), 0u)
                << "an unchanged line holds no memory of its own";
        }
    }
}

TEST(LineStore, EndOfLineKinds) {
    for (const char* eol : {"", "\r\n", "\n", "\r"}) EXPECT_EQ(EolText(*EolOf(eol)), eol);
    for (const char* bogus : {"\r\r", "\n\r", " ", "x"}) EXPECT_FALSE(EolOf(bogus)) << bogus;
    EXPECT_EQ(sizeof(StoredLine), sizeof(void*) == 8 ? 16u : 12u);
}

TEST(LineStore, SpliceOwnsTheTextAndKeepsItTerminated) {
    LineStore store{std::string("hello\nworld")};
    StoredLine& line = store.At(0);
    line.Splice(5, 0, ", you", 3, '!');
    EXPECT_EQ(line.Text(), "hello, you!!!");
    EXPECT_GT(line.HeapBytes(), line.Size());
    EXPECT_EQ(line.Data()[line.Size()], '\0');
    line.Splice(0, 7, line.Text().substr(7, 3));  // its own text as the insert
    EXPECT_EQ(line.Text(), "youyou!!!");
    line.Splice(0, line.Size(), {});
    EXPECT_EQ(line.Text(), "");
    EXPECT_EQ(line.HeapBytes(), 0u);
    EXPECT_EQ(store.At(1).Text(), "world");

    // Growing and shrinking a long line keeps the block proportionate.
    StoredLine grown = StoredLine::Copy("", Eol::Lf);
    for (int i = 0; i < 10000; ++i) grown.Splice(grown.Size(), 0, "x");
    EXPECT_LT(grown.HeapBytes(), 2 * 10001u + 16);
    grown.Splice(10, grown.Size() - 10, {});
    EXPECT_LE(grown.HeapBytes(), 64u);
    EXPECT_EQ(grown.GetEol(), Eol::Lf);
    const StoredLine copy = grown.Duplicate();
    EXPECT_EQ(copy.Text(), grown.Text());
    EXPECT_NE(copy.Data(), grown.Data());
    const StoredLine span = store.At(1).Duplicate();
    EXPECT_EQ(span.Data(), store.At(1).Data());  // a span stays a span
}

// A text handed out stays where it is while other lines come and go, and
// the gap keeps a run of edits in one place from moving the whole document.
TEST(LineStore, TextsStayPutAndMovesGrowWithTheEditsNotTheDocument) {
    std::string doc;
    for (int i = 0; i < 100000; ++i) doc += "l\n";
    LineStore store(std::move(doc));
    store.At(99999).Splice(0, 1, "owned");
    const char* span = store.At(10).Data();
    const char* owned = store.At(99999).Data();
    for (int i = 0; i < 100000; ++i) store.Insert(50000 + i, StoredLine::Copy("n", Eol::Lf));
    EXPECT_LT(store.Moves(), 600000u);  // one move of the gap to the middle, a few doublings
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(store.Take(50000).Text(), "n");
    EXPECT_LT(store.Moves(), 700000u);
    EXPECT_EQ(store.Count(), 199001);
    EXPECT_EQ(store.At(10).Data(), span);
    EXPECT_EQ(store.At(199000 - 1).Data(), owned);
    EXPECT_EQ(store.At(50000).Text(), "n");
    EXPECT_EQ(store.At(149000).Text(), "l");
}

}  // namespace
}  // namespace engine
