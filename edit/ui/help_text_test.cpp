// Help topics read into spans and paragraphs.
#include "edit/ui/help_text.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

TEST(HelpTopic, MarkupBecomesSpans) {
    auto lines = ParseHelpTopic("$ #Marten#\r\n See the ~settings~@dlgConfigure@, ## and ~~.\r\n^Centre\r\n\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].heading);
    ASSERT_EQ(lines[0].spans.size(), 2u);
    EXPECT_EQ(lines[0].spans[1].kind, HelpSpan::Kind::Bold);
    EXPECT_EQ(lines[0].spans[1].text, U"Marten");
    ASSERT_EQ(lines[1].spans.size(), 3u);
    EXPECT_EQ(lines[1].spans[1].kind, HelpSpan::Kind::Link);
    EXPECT_EQ(lines[1].spans[1].text, U"settings");
    EXPECT_EQ(lines[1].spans[1].target, "dlgConfigure");
    EXPECT_EQ(lines[1].spans[2].text, U", # and ~.");
    EXPECT_TRUE(lines[2].centred);
    // Markup left open ends with its line and loses nothing.
    auto open = ParseHelpTopic("a ~link without end\n b");
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[0].spans.back().text, U"link without end");
}

TEST(HelpTopic, ParagraphsGoOnOverLinesThatDoNotStartWithABlank) {
    auto paragraphs = ParseHelpTopic(" One paragraph\r\ngoes on here.\r\n\r\n   AB> kept apart\r\n");
    ASSERT_EQ(paragraphs.size(), 3u);
    // Plain text joined over the line end stays one span.
    ASSERT_EQ(paragraphs[0].spans.size(), 1u);
    EXPECT_EQ(paragraphs[0].spans[0].text, U" One paragraph goes on here.");
    EXPECT_EQ(LineLength(paragraphs[0]), 28);
    ASSERT_EQ(paragraphs[2].spans.size(), 1u);
    EXPECT_EQ(paragraphs[2].spans[0].text, U"   AB> kept apart");
}

TEST(HelpTopic, ALinkMayLeadIntoAnotherHelpFile) {
    const struct {
        const char* link;
        HelpTarget target;
    } cases[] = {
        {"dlgConfigure", {"", "dlgConfigure"}},
        {"<Marten>Contents", {"Marten", "Contents"}},
        {"<Marten>", {"Marten", "Contents"}},
        {"<>Search", {"", "Search"}},
        {"<Marten", {"", "<Marten"}},  // no closing bracket: a topic of that name
    };
    for (const auto& c : cases) EXPECT_EQ(ParseHelpTarget(c.link), c.target) << c.link;
    // The markup keeps the brackets in the target.
    EXPECT_EQ(ParseHelpTopic(" ~Marten~@<Marten>Contents@")[0].spans[1].target, "<Marten>Contents");
}

}  // namespace
}  // namespace edit
