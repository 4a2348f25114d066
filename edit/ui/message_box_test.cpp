// The message box on the in-memory screen: where it stands, the keys that
// answer it, and the editor seen again the moment it closes.
#include "edit/ui/message_box.hpp"

#include <gtest/gtest.h>

#include "edit/terminal/grid_checks_test.hpp"
#include "edit/terminal/grid_screen.hpp"
#include "edit/terminal/screen.hpp"

namespace edit {
namespace {

TEST(MessageBox, ABoxMovesOffTheRowItAsksAbout) {
    const struct {
        int height, screenHeight, avoidRow, top;
    } cases[] = {
        {8, 30, -1, 11},                   // nothing to avoid: centred
        {8, 30, 5, 11},                    // not covered by the centred box (rows 11-18, shadow 19)
        {8, 30, 20, 11}, {8, 30, 12, 13},  // upper half: just below the row
        {8, 30, 19, 10},                   // the shadow's row, lower half: just above
        {8, 30, 15, 6},                    // the middle row: above it
        {8, 11, 3, 1},                     // lower half has no room below, none above: centred
        {8, 11, 1, 2},                     // upper half: below it
        {8, 11, 9, 0},                     // lower half: above it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageTop(c.height, c.screenHeight, c.avoidRow), c.top)
            << c.height << " rows on " << c.screenHeight << ", avoiding " << c.avoidRow;
    }
}

// A screen with the editor's text under the boxes.
class MessageOnGrid : public ::testing::Test {
protected:
    MessageOnGrid() {
        stack_.SetBackdrop([] {
            screen::Clear();
            screen::Put(0, 0, U"the editor's text", screen::Paint::EditorText);
        });
    }

    static MessageSpec Question() {
        MessageSpec box;
        box.title = U"Editor";
        box.lines = {U"reply.msg has been modified"};
        box.buttons = {U"&Save", U"&Don't save", U"&Continue editing"};
        return box;
    }

    GridScreen grid_{60, 20};
    screen::UseScreen use_{grid_};
    ModalStack stack_;
};

TEST_F(MessageOnGrid, ButtonsAnswerToArrowsTabSpaceHotkeysAndEsc) {
    const struct {
        const char* keys;
        int answer;
    } cases[] = {
        {"{Enter}", 0},
        {"{Right}{Enter}", 1},
        {"{Down}{Down}{Enter}", 2},
        {"{Left}{Enter}", 2},  // round from the first to the last
        {"{Up}{Up}{Up}{Enter}", 0},
        {"{Tab}{Tab}{Shift+Tab} ", 1},
        {"d", 1},
        {"C", 2},        // hot keys in either case
        {"x{Esc}", -1},  // a letter that is no hot key does nothing
        {"{F10}", -1},
        {"", -1},  // the session ends while the box is open
    };
    for (const auto& c : cases) {
        grid_.Keys(c.keys);
        EXPECT_EQ(RunMessage(stack_, Question(), nullptr), c.answer) << c.keys;
    }
}

TEST_F(MessageOnGrid, TheFocusShowsAndTheEditorIsBackTheMomentTheBoxCloses) {
    grid_.Keys("{Right}");
    grid_.Then([this] {
        EXPECT_TRUE(grid_.Shows("Editor")) << grid_.Text();
        EXPECT_TRUE(grid_.Shows("reply.msg has been modified"));
        const auto [y, x] = Find(grid_, "Don't save");
        ASSERT_GE(y, 0) << grid_.Text();
        EXPECT_EQ(grid_.CellAt(y, x).paint, screen::Paint::DialogFocus);
        EXPECT_EQ(grid_.CellAt(y, x - 5).paint, screen::Paint::DialogText);  // "Save"
    });
    grid_.Keys("{Enter}");
    EXPECT_EQ(RunMessage(stack_, Question(), nullptr), 1);
    // Read back at once, with no key read after the box closed.
    EXPECT_EQ(grid_.Row(0), "the editor's text");
    EXPECT_FALSE(grid_.Shows("modified")) << grid_.Text();
}

TEST_F(MessageOnGrid, ABoxWithoutButtonsStaysInSightAndAWarningIsRed) {
    MessageSpec notice;
    notice.lines = {U"Saving reply.msg"};
    notice.warning = true;
    EXPECT_EQ(RunMessage(stack_, notice, nullptr), -1);
    const auto [y, x] = Find(grid_, "Saving reply.msg");
    ASSERT_GE(y, 0) << grid_.Text();
    EXPECT_EQ(grid_.CellAt(y, x).paint, screen::Paint::WarningText);
}

TEST_F(MessageOnGrid, F1ShowsTheBoxsTopicAndTheBoxWaitsForItsAnswer) {
    std::vector<std::string> shown;
    const HelpHandler help = [&](const std::string& topic) { shown.push_back(topic); };
    MessageSpec box = Question();
    grid_.Keys("{F1}{Right}{Enter}");
    EXPECT_EQ(RunMessage(stack_, box, help), 1);
    EXPECT_TRUE(shown.empty());  // a box without a topic has no help
    box.helpTopic = "dlgSave";
    grid_.Keys("{F1}{Right}{Enter}");
    EXPECT_EQ(RunMessage(stack_, box, help), 1);
    EXPECT_EQ(shown, std::vector<std::string>{"dlgSave"});
}

TEST(MessageBox, ATerminalTooSmallForTheBoxStillAnswers) {
    MessageSpec box;
    box.title = U"Editor";
    box.lines = {U"reply.msg has been modified"};
    box.buttons = {U"&Save", U"&Cancel"};
    OnEverySmallGrid(14, 8, [&](GridScreen& grid) {
        ModalStack stack;
        grid.Keys("{Right}{Enter}");
        EXPECT_EQ(RunMessage(stack, box, nullptr), 1);
    });
}

}  // namespace
}  // namespace edit
