// The configuration menu and the About box through the loaded module: what
// the host is asked to show, and the loop's answers.
#include <gtest/gtest.h>

#include "module/ansi/config_dialog.hpp"
#include "module/ui/config_menu.hpp"
#include "module/ui/messages.hpp"
#include "tests/config/config_session.hpp"

namespace config_test {
namespace {

using namespace marten;
using namespace marten::ansi;
using host::DialogAnswer;

using ConfigMenuTest = ConfigSession;

int SelectedLine(const host::MenuCall& menu) {
    int selected = -1;
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        if (menu.items[i].Selected != 0) {
            EXPECT_EQ(selected, -1) << "more than one line is current";
            selected = static_cast<int>(i);
        }
    }
    return selected;
}

TEST_F(ConfigMenuTest, LeavingTheMenuAtOnceAnswersOne) {
    Start();
    ui_.LeaveMenu();
    EXPECT_EQ(host_->Configure(0), 1);
    EXPECT_EQ(std::string(ui_.order.begin(), ui_.order.end()), "M");

    const host::MenuCall& menu = ui_.menus.at(0);
    EXPECT_EQ(menu.x, -1);
    EXPECT_EQ(menu.y, -1);
    EXPECT_EQ(menu.maxHeight, 0);
    EXPECT_EQ(menu.flags, DWORD{FMENU_AUTOHIGHLIGHT});
    EXPECT_EQ(menu.title, Msg(MMenuTitle));
    EXPECT_FALSE(menu.bottom);
    EXPECT_FALSE(menu.helpTopic);
    EXPECT_FALSE(menu.hasBreakKeys);
    EXPECT_FALSE(menu.hasBreakCode);
    ASSERT_EQ(menu.items.size(), 3u);
    EXPECT_EQ(menu.items[MenuConfigure].Text, Msg(MConfigure));
    EXPECT_EQ(menu.items[MenuSeparator].Separator, 1);
    EXPECT_EQ(menu.items[MenuAbout].Text, Msg(MAbout));
    EXPECT_EQ(SelectedLine(menu), MenuConfigure);
}

TEST_F(ConfigMenuTest, ResultTellsWhetherTheLastDialogWasConfirmed) {
    Start();
    // Cancelled, then the menu is left: 0.
    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{}, ItemCancel});
    ui_.LeaveMenu();
    EXPECT_EQ(host_->Configure(0), 0);

    // Left with Esc, then confirmed: 1.
    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{}, -1});
    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{}, ItemOk});
    ui_.LeaveMenu();
    EXPECT_EQ(host_->Configure(0), 1);

    // Confirmed, then cancelled: 0, whatever ItemNumber says.
    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{}, ItemOk});
    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{}, ItemCancel});
    ui_.LeaveMenu();
    EXPECT_EQ(host_->Configure(-7), 0);

    EXPECT_EQ(std::string(ui_.order.begin(), ui_.order.end()), "MDMMDMDMMDMDM");
}

TEST_F(ConfigMenuTest, BarReturnsToTheLineChosenLast) {
    Start();
    ui_.ChooseMenu(MenuAbout);
    ui_.AnswerMessage(0);
    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{}, ItemCancel});
    ui_.LeaveMenu();
    host_->Configure(0);

    EXPECT_EQ(std::string(ui_.order.begin(), ui_.order.end()), "MBMDM");
    ASSERT_EQ(ui_.menus.size(), 3u);
    EXPECT_EQ(SelectedLine(ui_.menus[0]), MenuConfigure);
    EXPECT_EQ(SelectedLine(ui_.menus[1]), MenuAbout);      // after the About box
    EXPECT_EQ(SelectedLine(ui_.menus[2]), MenuConfigure);  // after the dialog

    // A new run starts on the first line again.
    ui_.LeaveMenu();
    host_->Configure(0);
    EXPECT_EQ(SelectedLine(ui_.menus.at(3)), MenuConfigure);
}

TEST_F(ConfigMenuTest, AboutBoxShowsItsTextsWithOneButton) {
    Start();
    ui_.ChooseMenu(MenuAbout);
    ui_.AnswerMessage(-1);  // closed with Esc: the menu comes back all the same
    ui_.LeaveMenu();
    EXPECT_EQ(host_->Configure(0), 1);

    ASSERT_EQ(ui_.messages.size(), 1u);
    const host::MessageCall& box = ui_.messages[0];
    EXPECT_EQ(box.flags, 0u);
    EXPECT_EQ(box.helpTopic, "dlgAbout");
    EXPECT_EQ(box.buttonCount, 1);
    const std::vector<std::optional<std::string>> lines = {Msg(MAboutTitle), "", Msg(MAboutText),
                                                           Msg(MFiller), Msg(MOk)};
    EXPECT_EQ(box.items, lines);
    EXPECT_EQ(ui_.menus.size(), 2u);
}

TEST_F(ConfigMenuTest, OpenPluginRunsTheSameLoopAndOpensNoPanel) {
    Start();
    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{host::DialogAnswer::Type{ItemRIndent, "66"}}, ItemOk});
    ui_.LeaveMenu();
    EXPECT_EQ(host_->OpenPlugin(OPEN_EDITOR, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadDwordSetting("RIndent"), 66);

    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{}, ItemCancel});
    ui_.LeaveMenu();
    EXPECT_EQ(host_->OpenPlugin(OPEN_PLUGINSMENU, 3), INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::string(ui_.order.begin(), ui_.order.end()), "MDMMDM");
}

TEST_F(ConfigMenuTest, RussianTextsComeFromTheRussianFile) {
    host::HostOptions options;
    options.language = "Russian";
    Start(options);
    ASSERT_EQ(host_->Messages()->language, "Russian");
    ui_.LeaveMenu();
    host_->Configure(0);
    const std::string line = ui_.menus.at(0).items[MenuConfigure].Text;
    EXPECT_EQ(line, Msg(MConfigure));
    // "Настройки" in code page 866.
    EXPECT_NE(line.find("\x8D\xA0\xE1\xE2\xE0\xAE\xA9\xAA\xA8"), std::string::npos) << line;
}

// A host whose record ends before the Menu service: the module must not call
// what it was not given.
TEST_F(ConfigMenuTest, HostWithoutMenuServiceGetsNoCall) {
    host::HostOptions options;
    options.startupInfoSize = static_cast<int>(offsetof(PluginStartupInfo, Menu));
    Start(options);
    ui_.ChooseMenu(MenuConfigure);
    EXPECT_EQ(host_->Configure(0), 1);
    EXPECT_TRUE(ui_.order.empty());
}

}  // namespace
}  // namespace config_test
