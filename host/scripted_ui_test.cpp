#include "host/scripted_ui.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "host/ansi/ansi_services.hpp"

namespace host {
namespace {

FarDialogItem Item(int type, const char* data, DWORD flags = 0) {
    FarDialogItem item{};
    item.Type = type;
    item.Flags = flags;
    std::strncpy(item.Data, data, sizeof item.Data - 1);
    return item;
}

// The dialog of the tests: a checkbox, an edit field with a history, an edit
// field without one, a button.
struct SmallDialog {
    FarDialogItem items[4];
    SmallDialog() {
        items[0] = Item(DI_CHECKBOX, "Check");
        items[0].Param.Selected = 1;
        items[1] = Item(DI_EDIT, "72", DIF_HISTORY);
        items[1].Param.History = "Tansy\\Marten\\RIndent";
        items[2] = Item(DI_EDIT, "plain");
        items[3] = Item(DI_BUTTON, "OK");
    }
};

class ScriptedUiTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetAnsiServiceTarget(&target_); target_.ui = &ui_; }
    void TearDown() override { SetAnsiServiceTarget(previous_); }

    int ShowDialog(SmallDialog& dialog) {
        return ansiServices::Dialog(7, -1, -1, 54, 16, "dlgConfigure", dialog.items, 4);
    }

    ScriptedUi ui_;
    AnsiServiceTarget target_;
    AnsiServiceTarget* previous_ = nullptr;
};

TEST_F(ScriptedUiTest, EmptyQueueLeavesEveryService) {
    const FarMenuItem line{};
    EXPECT_EQ(ansiServices::Menu(1, -1, -1, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, &line, 1), -1);
    SmallDialog dialog;
    EXPECT_EQ(ShowDialog(dialog), -1);
    const char* const texts[] = {"Title", "OK"};
    EXPECT_EQ(ansiServices::Message(1, 0, nullptr, texts, 2, 1), -1);
    EXPECT_EQ(ui_.order, (std::vector<char>{'M', 'D', 'B'}));
    // Esc changes nothing the module passed in.
    EXPECT_EQ(dialog.items[0].Param.Selected, 1);
    EXPECT_STREQ(dialog.items[1].Data, "72");
}

TEST_F(ScriptedUiTest, DialogAnswerTogglesTypesAndCloses) {
    ui_.AnswerDialog({{DialogAnswer::Toggle{0}, DialogAnswer::Type{1, "66"},
                       DialogAnswer::Type{2, std::string(600, 'x')}},
                      3});
    SmallDialog dialog;
    EXPECT_EQ(ShowDialog(dialog), 3);
    EXPECT_EQ(dialog.items[0].Param.Selected, 0);
    EXPECT_STREQ(dialog.items[1].Data, "66");
    EXPECT_EQ(std::strlen(dialog.items[2].Data), 511u);  // the field's room, NUL kept
    // The History pointer of the typed-into field is untouched.
    EXPECT_STREQ(dialog.items[1].Param.History, "Tansy\\Marten\\RIndent");
    EXPECT_TRUE(ui_.scriptErrors.empty());

    ASSERT_EQ(ui_.dialogs.size(), 1u);
    const DialogRecord& record = ui_.dialogs[0];
    EXPECT_EQ(record.call.pluginNumber, 7);
    EXPECT_EQ(record.call.x1, -1);
    EXPECT_EQ(record.call.x2, 54);
    EXPECT_EQ(record.call.y2, 16);
    EXPECT_EQ(record.call.helpTopic, "dlgConfigure");
    EXPECT_EQ(record.call.itemCount, 4);
    EXPECT_EQ(record.answer, 3);
    ASSERT_EQ(record.itemsShown.size(), 4u);
    EXPECT_EQ(record.itemsShown[0].Param.Selected, 1);
    EXPECT_STREQ(record.itemsShown[1].Data, "72");
    EXPECT_EQ(record.itemsReturned[0].Param.Selected, 0);
    EXPECT_STREQ(record.itemsReturned[1].Data, "66");
    // Only an edit field with DIF_HISTORY has a history; the checkbox's union
    // holds Selected and is never read as a pointer.
    EXPECT_EQ(record.histories, (std::vector<std::string>{"", "Tansy\\Marten\\RIndent", "", ""}));
}

TEST_F(ScriptedUiTest, StepsThatDoNotFitAreReportedAndChangeNothing) {
    ui_.AnswerDialog({{DialogAnswer::Toggle{1}, DialogAnswer::Type{0, "x"}, DialogAnswer::Toggle{9},
                       DialogAnswer::Type{-1, "x"}},
                      -1});
    SmallDialog dialog;
    EXPECT_EQ(ShowDialog(dialog), -1);
    EXPECT_STREQ(dialog.items[1].Param.History, "Tansy\\Marten\\RIndent");
    EXPECT_STREQ(dialog.items[0].Data, "Check");
    EXPECT_EQ(ui_.scriptErrors,
              (std::vector<std::string>{"dialog 1, item 1: not a checkbox",
                                        "dialog 1, item 0: not an edit field",
                                        "dialog 1, item 9: no such item",
                                        "dialog 1, item -1: no such item"}));
}

TEST_F(ScriptedUiTest, MenuAndMessageRecordEveryArgument) {
    ui_.ChooseMenu(2);
    ui_.LeaveMenu();
    ui_.AnswerMessage(0);
    FarMenuItem lines[3]{};
    std::strcpy(lines[0].Text, "Configure");
    lines[1].Separator = 1;
    lines[2].Selected = 1;
    const int breakKeys[] = {0};
    int breakCode = 5;
    EXPECT_EQ(ansiServices::Menu(3, -1, -2, 0, FMENU_AUTOHIGHLIGHT, "Marten", nullptr, "Contents",
                             breakKeys, &breakCode, lines, 3),
              2);
    EXPECT_EQ(ansiServices::Menu(3, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, lines, 3), -1);
    const char* const texts[] = {"About", "", nullptr, "OK"};
    EXPECT_EQ(ansiServices::Message(3, FMSG_WARNING, "dlgAbout", texts, 4, 1), 0);
    EXPECT_EQ(ansiServices::Message(3, 0, nullptr, texts, 4, 1), -1);

    ASSERT_EQ(ui_.menus.size(), 2u);
    const MenuCall& menu = ui_.menus[0];
    EXPECT_EQ(menu.pluginNumber, 3);
    EXPECT_EQ(menu.y, -2);
    EXPECT_EQ(menu.flags, FMENU_AUTOHIGHLIGHT);
    EXPECT_EQ(menu.title, "Marten");
    EXPECT_EQ(menu.bottom, std::nullopt);
    EXPECT_EQ(menu.helpTopic, "Contents");
    EXPECT_TRUE(menu.hasBreakKeys);
    EXPECT_TRUE(menu.hasBreakCode);
    EXPECT_EQ(breakCode, -1);  // no break key ended the menu
    ASSERT_EQ(menu.items.size(), 3u);
    EXPECT_STREQ(menu.items[0].Text, "Configure");
    EXPECT_EQ(menu.items[1].Separator, 1);
    EXPECT_EQ(menu.items[2].Selected, 1);
    EXPECT_FALSE(ui_.menus[1].title.has_value());

    ASSERT_EQ(ui_.messages.size(), 2u);
    const MessageCall& box = ui_.messages[0];
    EXPECT_EQ(box.flags, FMSG_WARNING);
    EXPECT_EQ(box.helpTopic, "dlgAbout");
    EXPECT_EQ(box.buttonCount, 1);
    EXPECT_EQ(box.items, (std::vector<std::optional<std::string>>{"About", "", std::nullopt, "OK"}));
    EXPECT_EQ(ui_.order, (std::vector<char>{'M', 'M', 'B', 'B'}));
}

}  // namespace
}  // namespace host
