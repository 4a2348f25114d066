// What the help window says when it has nothing to show.
#include "edit/ui/help_view.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

TEST(HelpView, AMissingTopicOrFileIsNamedInAWarning) {
    const auto help = host::ParseHelpFile(
        ".Language=English,English\r\n.PluginContents=Marten\r\n@Contents\r\ntext\r\n", nullptr);
    ASSERT_TRUE(help);
    const MessageSpec topic = MissingHelpMessage(&*help, "dlgConfigure");
    EXPECT_EQ(topic.title, U"Help");
    EXPECT_EQ(topic.lines, (std::vector<std::u32string>{U"There is no help topic dlgConfigure"}));
    EXPECT_EQ(topic.buttons, (std::vector<std::u32string>{U"OK"}));
    EXPECT_TRUE(topic.warning);
    EXPECT_EQ(MissingHelpMessage(nullptr, "dlgConfigure").lines,
              (std::vector<std::u32string>{U"The plug-in has no help file"}));
}

}  // namespace
}  // namespace edit
