// The settings dialog through the loaded module: what the host is asked to
// show, what a confirmed dialog stores in the registry and what the dialog
// shows the next time.
#include <gtest/gtest.h>

#include <climits>

#include "module/ansi/config_dialog.hpp"
#include "module/ui/config_menu.hpp"
#include "module/ui/messages.hpp"
#include "tests/config/config_session.hpp"

namespace config_test {
namespace {

using namespace marten;
using namespace marten::ansi;
using host::DialogAnswer;

using ConfigDialogTest = ConfigSession;

TEST_F(ConfigDialogTest, OpensCentred54By16WithFocusAndDefaultOnOk) {
    WriteDwordSetting("LIndent", -5);
    Start();
    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{}, -1});
    ui_.LeaveMenu();
    host_->Configure(0);

    const host::DialogRecord& dialog = ui_.dialogs.at(0);
    EXPECT_EQ(dialog.call.x1, -1);
    EXPECT_EQ(dialog.call.y1, -1);
    EXPECT_EQ(dialog.call.x2, 54);
    EXPECT_EQ(dialog.call.y2, 16);
    EXPECT_EQ(dialog.call.helpTopic, "dlgConfigure");
    EXPECT_EQ(dialog.call.itemCount, ConfigItemCount);

    const auto& items = dialog.itemsShown;
    ASSERT_EQ(items.size(), std::size_t{ConfigItemCount});
    for (int i = 0; i < ConfigItemCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].Focus, i == ItemOk ? 1 : 0);
        EXPECT_EQ(items[i].DefaultButton, i == ItemOk ? 1 : 0);
        EXPECT_EQ(items[i].Y2, i == ItemFrame ? 14 : 0);
    }
    EXPECT_EQ(items[ItemFrame].Type, DI_DOUBLEBOX);
    EXPECT_EQ(std::string(items[ItemFrame].Data), Msg(MPluginTitle));
    EXPECT_EQ(std::string(items[ItemOk].Data), Msg(MOk));
    EXPECT_EQ(std::string(items[ItemCancel].Data), Msg(MCancel));
    EXPECT_EQ(std::string(items[ItemSeparatorAfterMask].Data), Msg(MFiller));
    EXPECT_EQ(items[ItemSeparatorAfterMask].Flags, DWORD{DIF_SEPARATOR | DIF_BOXCOLOR});
    EXPECT_EQ(items[ItemEnableQuote].Flags, DWORD{DIF_GROUP});

    // The defaults, and the LIndent stored before the start.
    for (int box :
         {ItemEnableQuote, ItemEnableAutoWrap, ItemEnableAutoIndent, ItemEnableHPChange}) {
        EXPECT_EQ(items[box].Param.Selected, 1) << box;
    }
    EXPECT_STREQ(items[ItemLIndent].Data, "-5");
    EXPECT_STREQ(items[ItemRIndent].Data, "78");
    EXPECT_STREQ(items[ItemFileMask].Data, "*.msg,golded.*");
    EXPECT_EQ(dialog.histories[ItemLIndent], "Tansy\\Marten\\LIndent");
    EXPECT_EQ(dialog.histories[ItemRIndent], "Tansy\\Marten\\RIndent");
    EXPECT_EQ(dialog.histories[ItemFileMask], "Tansy\\Marten\\FileMask");
}

TEST_F(ConfigDialogTest, CancelAndEscWriteNothing) {
    Start();
    const std::string before = RegistryBytes();
    ASSERT_FALSE(before.empty());
    for (int closeWith : {int{ItemCancel}, -1}) {
        ui_.ChooseMenu(MenuConfigure);
        ui_.AnswerDialog(
            {{DialogAnswer::Toggle{ItemEnableQuote}, DialogAnswer::Type{ItemRIndent, "40"},
              DialogAnswer::Type{ItemFileMask, ""}},
             closeWith});
        ui_.LeaveMenu();
        EXPECT_EQ(host_->Configure(0), 0);
        EXPECT_EQ(RegistryBytes(), before) << closeWith;
    }
    // Nor did the values change in memory: the next dialog shows them as before.
    ui_.ChooseMenu(MenuConfigure);
    ui_.LeaveMenu();
    host_->Configure(0);
    const auto& items = ui_.dialogs.at(2).itemsShown;
    EXPECT_EQ(items[ItemEnableQuote].Param.Selected, 1);
    EXPECT_STREQ(items[ItemRIndent].Data, "78");
    EXPECT_STREQ(items[ItemFileMask].Data, "*.msg,golded.*");
}

TEST_F(ConfigDialogTest, ConfirmingWithoutChangeWritesAllSevenAgain) {
    WriteDwordSetting("RIndent", 60);
    Start();
    for (const std::string& name : kSettingNames) DeleteSetting(name.c_str());
    WriteDwordSetting("LIndent", 33);  // changed behind the module's back

    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{}, ItemOk});
    ui_.LeaveMenu();
    EXPECT_EQ(host_->Configure(0), 1);

    for (const char* flag :
         {"EnableQuote", "EnableAutoWrap", "EnableAutoIndent", "EnableHPChange"}) {
        const auto value = ReadSetting(flag);
        ASSERT_TRUE(value) << flag;
        EXPECT_EQ(value->type, DWORD{REG_BINARY}) << flag;
        EXPECT_EQ(value->data, std::string(1, '\x01')) << flag;
    }
    EXPECT_EQ(ReadDwordSetting("RIndent"), 60);
    EXPECT_EQ(ReadDwordSetting("LIndent"), 0);
    EXPECT_EQ(ReadStringSetting("FileMask"), "*.msg,golded.*");
}

TEST_F(ConfigDialogTest, ConfirmedSwitchesAndFieldsAreStored) {
    Start();
    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog(
        {{DialogAnswer::Toggle{ItemEnableQuote}, DialogAnswer::Toggle{ItemEnableHPChange},
          DialogAnswer::Type{ItemLIndent, "4"}, DialogAnswer::Type{ItemFileMask, "*.txt,*.[a,b]x"}},
         ItemOk});
    ui_.ChooseMenu(MenuConfigure);
    ui_.LeaveMenu();
    EXPECT_EQ(host_->Configure(0), 0);  // the second dialog was left with Esc

    EXPECT_EQ(ReadSetting("EnableQuote")->data, std::string(1, '\0'));
    EXPECT_EQ(ReadSetting("EnableAutoWrap")->data, std::string(1, '\x01'));
    EXPECT_EQ(ReadSetting("EnableHPChange")->data, std::string(1, '\0'));
    EXPECT_EQ(ReadDwordSetting("LIndent"), 4);
    EXPECT_EQ(ReadStringSetting("FileMask"), "*.txt,*.[a,b]x");

    const auto& items = ui_.dialogs.at(1).itemsShown;
    EXPECT_EQ(items[ItemEnableQuote].Param.Selected, 0);
    EXPECT_EQ(items[ItemEnableAutoWrap].Param.Selected, 1);
    EXPECT_EQ(items[ItemEnableHPChange].Param.Selected, 0);
    EXPECT_STREQ(items[ItemLIndent].Data, "4");
    EXPECT_STREQ(items[ItemFileMask].Data, "*.txt,*.[a,b]x");
}

// Each text typed into the RIndent field, seen in the registry and in the
// field of the reopened dialog.
TEST_F(ConfigDialogTest, RIndentFieldReadsNumbersAndTakesAnythingElseAsZero) {
    struct Case {
        const char* typed;
        std::int32_t stored;
        const char* shown;
    };
    const Case cases[] = {
        {"72", 72, "72"},
        {"+72", 72, "72"},
        {"$48", 72, "72"},
        {" 72", 72, "72"},
        {"72 ", 0, "0"},
        {"7x", 0, "0"},
        {"", 0, "0"},
        {"-", 0, "0"},
        {"-3", -3, "-3"},
        {"$FFFFFFFF", -1, "-1"},
        {"2147483648", 0, "0"},
        {"2147483647", INT_MAX, "2147483647"},
        {"-2147483648", 0, "0"},
        {"$80000000", INT_MIN, "-2147483648"},
        {"$100000000", 0, "0"},
        {"$ff", 255, "255"},
        {"999", 999, "999"},
    };
    Start();
    std::size_t dialog = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
        ConfirmRIndent(c.typed);
        ui_.ChooseMenu(MenuConfigure);
        ui_.AnswerDialog({{}, -1});
        ui_.LeaveMenu();
        host_->Configure(0);
        EXPECT_EQ(ReadDwordSetting("RIndent"), c.stored);
        dialog += 2;
        ASSERT_EQ(ui_.dialogs.size(), dialog);
        EXPECT_STREQ(ui_.dialogs[dialog - 1].itemsShown[ItemRIndent].Data, c.shown);
    }
}

TEST_F(ConfigDialogTest, LongMaskIsStoredAsItsFirst255Characters) {
    Start();
    std::string mask;
    while (mask.size() < 300) mask += "*.m" + std::to_string(mask.size()) + ",";
    mask.resize(300);
    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{DialogAnswer::Type{ItemFileMask, mask}}, ItemOk});
    ui_.ChooseMenu(MenuConfigure);
    ui_.LeaveMenu();
    host_->Configure(0);

    EXPECT_EQ(ReadStringSetting("FileMask"), mask.substr(0, 255));
    EXPECT_EQ(std::string(ui_.dialogs.at(1).itemsShown[ItemFileMask].Data), mask.substr(0, 255));
}

// A host whose record ends before the Dialog service: the menu is shown, the
// dialog is not, and nothing is stored.
TEST_F(ConfigDialogTest, HostWithoutDialogServiceStoresNothing) {
    host::HostOptions options;
    options.startupInfoSize = static_cast<int>(offsetof(PluginStartupInfo, Dialog));
    Start(options);
    const std::string before = RegistryBytes();
    ui_.ChooseMenu(MenuConfigure);
    ui_.LeaveMenu();
    EXPECT_EQ(host_->Configure(0), 0);
    EXPECT_EQ(std::string(ui_.order.begin(), ui_.order.end()), "MM");
    EXPECT_EQ(RegistryBytes(), before);
}

}  // namespace
}  // namespace config_test
