// The help window on the in-memory screen: links followed and back, the
// body scrolled, F1 to the contents, and what it says when a topic is missing.
#include "edit/ui/help_view.hpp"

#include <gtest/gtest.h>

#include "edit/terminal/grid_checks_test.hpp"
#include "edit/terminal/grid_screen.hpp"
#include "edit/terminal/screen.hpp"

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

// A help file of three topics, one of them longer than the window.
host::HelpFile SampleHelp() {
    std::string text =
        ".Language=English,English\n.PluginContents=Marten\n"
        "@Contents\n$ Marten help\n"
        " See ~the keys~@Keys@, ~a long topic~@Long@ and ~nowhere~@Nowhere@.\n"
        "@Keys\n F7 finds a text\n"
        "@Long\n";
    for (int n = 1; n <= 30; ++n)
        text += " line " + std::string(n < 10 ? "0" : "") + std::to_string(n) + "\n";
    text += " ~back to the contents~@Contents@\n";
    auto help = host::ParseHelpFile(text, nullptr);
    EXPECT_TRUE(help);
    return help.value_or(host::HelpFile{});
}

class HelpOnGrid : public ::testing::Test {
protected:
    HelpOnGrid() {
        stack_.SetBackdrop([] {
            screen::Clear();
            screen::Put(0, 0, U"the editor's text", screen::Paint::EditorText);
        });
    }

    void Sees(std::string text, std::source_location at = std::source_location::current()) {
        SeesOn(grid_, std::move(text), at);
    }
    void Gone(std::string text, std::source_location at = std::source_location::current()) {
        GoneFrom(grid_, std::move(text), at);
    }

    const host::HelpFile help_ = SampleHelp();
    GridScreen grid_{60, 14};
    screen::UseScreen use_{grid_};
    ModalStack stack_;
};

TEST_F(HelpOnGrid, LinksAreFollowedAndBkSpComesBack) {
    Sees("═ Marten ═");
    Sees("Marten help");
    grid_.Then([this] {
        const auto [y, x] = Find(grid_, "the keys");
        ASSERT_GE(y, 0) << grid_.Text();
        EXPECT_EQ(grid_.CellAt(y, x).paint, screen::Paint::HelpLinkSelected);
    });
    grid_.Keys("{Enter}");
    Sees("F7 finds a text");
    Gone("Marten help");
    grid_.Keys("{BS}");
    Sees("See the keys");
    // Tab moves on to the next link, Shift+Tab back round to the last.
    grid_.Keys("{Tab}");
    grid_.Then([this] {
        const auto keys = Find(grid_, "the keys"), topic = Find(grid_, "a long topic");
        ASSERT_GE(topic.first, 0) << grid_.Text();
        EXPECT_EQ(grid_.CellAt(keys.first, keys.second).paint, screen::Paint::HelpLink);
        EXPECT_EQ(grid_.CellAt(topic.first, topic.second).paint, screen::Paint::HelpLinkSelected);
    });
    grid_.Keys("{Shift+Tab}{Shift+Tab}{Enter}");
    Sees("There is no help topic Nowhere");
    grid_.Keys("{Enter}");
    Gone("There is no help topic");
    Sees("See the keys");
    grid_.Keys("{Esc}");
    RunHelp(stack_, &help_, "Contents");
    // The editor is back at once, with no key read after the window closed.
    EXPECT_EQ(grid_.Row(0), "the editor's text");
    EXPECT_FALSE(grid_.Shows("Marten help")) << grid_.Text();
}

TEST_F(HelpOnGrid, TheBodyScrollsAndF1GoesToTheContents) {
    Sees("line 01");
    Gone("line 30");
    grid_.Keys("{End}");
    Sees("line 30");
    Gone("line 01");
    grid_.Keys("{Home}{Down}");
    Sees("line 02");
    Gone("line 01");
    grid_.Keys("{Up}{PgDn}");
    Gone("line 01");
    Gone("line 30");
    grid_.Keys("{PgUp}");
    Sees("line 01");
    // The window scrolls to the link that Tab chooses.
    grid_.Keys("{Tab}");
    Sees("back to the contents");
    grid_.Keys("{F1}");
    Sees("Marten help");
    grid_.Keys("{BS}");  // the topic before, from its top
    Sees("line 01");
    grid_.Keys("{F10}");
    RunHelp(stack_, &help_, "Long");
    EXPECT_FALSE(grid_.Shows("line")) << grid_.Text();
}

TEST_F(HelpOnGrid, AMissingTopicIsSaidInsteadOfAnEmptyWindow) {
    Sees("There is no help topic dlgNone");
    grid_.Keys("{Enter}");
    RunHelp(stack_, &help_, "dlgNone");
    EXPECT_EQ(grid_.Text().find("dlgNone"), std::string::npos) << grid_.Text();
    Sees("The plug-in has no help file");
    grid_.Keys("{Esc}");
    RunHelp(stack_, nullptr, "Contents");
    // The session ends while the window is open: it closes, nothing hangs.
    RunHelp(stack_, &help_, "Contents");
}

TEST(HelpView, ATerminalTooSmallForTheWindowStillScrollsAndCloses) {
    const host::HelpFile help = SampleHelp();
    OnEverySmallGrid(14, 8, [&](GridScreen& grid) {
        ModalStack stack;
        grid.Keys("{End}{Tab}{PgUp}{Down}{Enter}{BS}{Esc}");
        grid.Then([] { ADD_FAILURE() << "the window is still open"; });
        RunHelp(stack, &help, "Contents");
    });
}

}  // namespace
}  // namespace edit
