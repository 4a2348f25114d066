// Going through help files: links within one, into another, and back.
#include "edit/ui/help_browser.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

host::HelpFile Parse(const char* text) {
    auto help = host::ParseHelpFile(text, nullptr);
    EXPECT_TRUE(help);
    return help.value_or(host::HelpFile{});
}

const host::HelpFile kEditor = Parse(
    ".Language=English,English\n.PluginContents=marten-edit\n"
    "@Contents\nkeys, ~search~@Search@, ~Marten~@<Marten>Contents@\n@Search\nF7\n");
const host::HelpFile kPlugin = Parse(
    ".Language=English,English\n.PluginContents=Marten\n"
    "@Contents\nquotes\n@dlgConfigure\nsettings\n");

TEST(HelpBrowser, LinksLeadIntoThePluginsHelpAndBkSpComesBack) {
    HelpBrowser browser({{"marten-edit", &kEditor}, {"Marten", &kPlugin}});
    ASSERT_TRUE(browser.Open({"", "Contents"}));  // no name: the shelf's first file
    EXPECT_EQ(browser.Title(), U"marten-edit");
    ASSERT_TRUE(browser.Open({"", "Search"}));
    EXPECT_EQ(*browser.Body(), "F7");

    ASSERT_TRUE(browser.Open({"marten", "Contents"}));  // the name in any case
    EXPECT_EQ(browser.File(), &kPlugin);
    EXPECT_EQ(browser.Title(), U"Marten");
    EXPECT_EQ(*browser.Body(), "quotes");
    // A link without a name stays in the plug-in's file; F1 is its Contents.
    ASSERT_TRUE(browser.Open({"", "dlgConfigure"}));
    EXPECT_EQ(*browser.Body(), "settings");
    ASSERT_TRUE(browser.Open({"", "Contents"}));
    EXPECT_EQ(*browser.Body(), "quotes");

    ASSERT_TRUE(browser.Back());
    ASSERT_TRUE(browser.Back());
    ASSERT_TRUE(browser.Back());
    EXPECT_EQ(browser.File(), &kEditor);
    EXPECT_EQ(browser.Topic(), "Search");
    ASSERT_TRUE(browser.Back());
    EXPECT_EQ(browser.Topic(), "Contents");
    EXPECT_FALSE(browser.Back());
}

TEST(HelpBrowser, ATopicOrFileThatIsNotThereChangesNothingAndIsNamed) {
    HelpBrowser browser({{"marten-edit", &kEditor}, {"Marten", nullptr}});
    EXPECT_EQ(browser.Body(), nullptr);
    ASSERT_TRUE(browser.Open({"", "Contents"}));

    const HelpTarget noFile{"Marten", "Contents"};
    EXPECT_FALSE(browser.Open(noFile));
    EXPECT_EQ(browser.Missing(noFile).lines, (std::vector<std::u32string>{U"The plug-in has no help file"}));
    const HelpTarget unknownFile{"Other", "Contents"};
    EXPECT_FALSE(browser.Open(unknownFile));
    EXPECT_EQ(browser.Missing(unknownFile).lines, (std::vector<std::u32string>{U"The plug-in has no help file"}));
    const HelpTarget noTopic{"", "Replace"};
    EXPECT_FALSE(browser.Open(noTopic));
    EXPECT_EQ(browser.Missing(noTopic).lines, (std::vector<std::u32string>{U"There is no help topic Replace"}));

    EXPECT_EQ(browser.Topic(), "Contents");
    EXPECT_FALSE(browser.Back());
}

}  // namespace
}  // namespace edit
