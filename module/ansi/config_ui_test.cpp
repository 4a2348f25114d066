// The configuration menu, the About box and the settings dialog against
// recording stand-ins for the host's Menu, Dialog, Message and GetMsg services.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "module/ansi/config_dialog.hpp"
#include "module/ansi/config_menu.hpp"
#include "module/ansi/dialog_items.hpp"
#include "module/ansi/host_info.hpp"
#include "module/ansi/settings_store.hpp"
#include "module/runtime/heap.hpp"
#include "module/runtime/text.hpp"
#include "module/settings/settings.hpp"
#include "tests/support/module_state.hpp"

namespace marten::ansi {
namespace {

using testsupport::DialogSeen;
using testsupport::MenuSeen;
using testsupport::MessageSeen;

class ConfigUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        SettingsKey = "Software\\Marten\\UiUnitTest";
        Settings.EnableAutoWrap = 0;
        Settings.EnableHPChange = 0;
        Settings.LIndent = -5;
        for (int id = 0; id < kMessageCount; ++id)
            host_.texts.push_back("text" + std::to_string(id));
        HostInfo.ModuleNumber = 7;
    }

    testsupport::FakeHost host_;
    testsupport::InstalledHost installed_{host_};
};

// ---------------------------------------------------------------------------
// BuildDialogItems
// ---------------------------------------------------------------------------

TEST_F(ConfigUiTest, BuildDialogItemsExpandsTheTable) {
    FarDialogItem items[ConfigItemCount];
    std::memset(static_cast<void*>(items), 0xAB, sizeof items);
    BuildDialogItems(kConfigLayout.items.data(), items, ConfigItemCount, 0, 0);

    // The dialog as the host must get it, written out by value rather than
    // taken from the description, so that a slip in it shows here.
    struct Expected {
        int type, x1, y1, x2;
        DWORD flags;
        int message;
    };
    const Expected expected[ConfigItemCount] = {
        {3, 3, 1, 50, 0, 7},         // DI_DOUBLEBOX, MPluginTitle
        {8, 5, 2, 0, 0, 8},          // DI_CHECKBOX, MEnableQuote
        {8, 5, 3, 0, 0, 9},          // DI_CHECKBOX, MEnableAutoWrap
        {8, 5, 4, 0, 0, 10},         // DI_CHECKBOX, MEnableAutoIndent
        {8, 5, 5, 0, 0, 11},         // DI_CHECKBOX, MEnableHPChange
        {0, 9, 7, 30, 0, 13},        // DI_TEXT, MLIndent
        {4, 5, 7, 7, 0x40000, 0},    // DI_EDIT with DIF_HISTORY, MFiller
        {0, 9, 8, 30, 0, 12},        // DI_TEXT, MRIndent
        {4, 5, 8, 7, 0x40000, 0},    // DI_EDIT with DIF_HISTORY, MFiller
        {0, 5, 10, 30, 0, 15},       // DI_TEXT, MFileMask
        {4, 5, 11, 48, 0x40000, 0},  // DI_EDIT with DIF_HISTORY, MFiller
        {0, 4, 6, 30, 0x10200, 0},   // DI_TEXT as a separator in the box colour, MFiller
        {0, 4, 9, 30, 0x10200, 0},   // the same
        {0, 4, 12, 30, 0x10200, 0},  // the same
        {7, 4, 13, 0, 0x4000, 1},    // DI_BUTTON with DIF_CENTERGROUP, MOk
        {7, 0, 13, 0, 0x4000, 2},    // DI_BUTTON with DIF_CENTERGROUP, MCancel
    };
    for (int i = 0; i < ConfigItemCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].Type, expected[i].type);
        EXPECT_EQ(items[i].X1, expected[i].x1);
        EXPECT_EQ(items[i].Y1, expected[i].y1);
        EXPECT_EQ(items[i].X2, expected[i].x2);
        EXPECT_EQ(items[i].Y2, i == ItemFrame ? 14 : 0);
        EXPECT_EQ(items[i].Flags, expected[i].flags);
        EXPECT_EQ(items[i].Param.Selected, 0);
        EXPECT_STREQ(items[i].Data, ("text" + std::to_string(expected[i].message)).c_str());
        // Defaults: the button before the last, focus on item 2.
        EXPECT_EQ(items[i].DefaultButton, i == ConfigItemCount - 2 ? 1 : 0);
        EXPECT_EQ(items[i].Focus, i == 2 ? 1 : 0);
    }
}

TEST_F(ConfigUiTest, BuildDialogItemsTakesOnlyIndicesInsideTheArray) {
    struct Case {
        int button, focus, expectedButton, expectedFocus;
    };
    const Case cases[] = {
        {ItemOk, ItemOk, ItemOk, ItemOk},
        {ItemCancel, 1, ItemCancel, 1},
        {-1, -7, ItemOk, 2},
        {ConfigItemCount, ConfigItemCount + 40, ItemOk, 2},
    };
    for (const Case& c : cases) {
        FarDialogItem items[ConfigItemCount];
        BuildDialogItems(kConfigLayout.items.data(), items, ConfigItemCount, c.button, c.focus);
        for (int i = 0; i < ConfigItemCount; ++i) {
            EXPECT_EQ(items[i].DefaultButton, i == c.expectedButton ? 1 : 0)
                << c.button << " " << i;
            EXPECT_EQ(items[i].Focus, i == c.expectedFocus ? 1 : 0) << c.focus << " " << i;
        }
    }
}

TEST_F(ConfigUiTest, BuildDialogItemsStaysInsideShortTables) {
    for (int count : {1, 2}) {
        FarDialogItem items[2];
        BuildDialogItems(kConfigLayout.items.data(), items, count, 0, 0);
        EXPECT_EQ(items[count - 1].DefaultButton + items[0].DefaultButton, count == 1 ? 2 : 1);
        EXPECT_EQ(items[0].Y2, kConfigLayout.items[count - 1].y + 1);
    }
}

TEST_F(ConfigUiTest, LongAndMissingTextsAreBoundedAndTerminated) {
    host_.texts[MPluginTitle] = std::string(600, 'T');
    FarDialogItem items[ConfigItemCount];
    BuildDialogItems(kConfigLayout.items.data(), items, ConfigItemCount, 0, 0);
    EXPECT_EQ(std::string(items[ItemFrame].Data), std::string(511, 'T'));

    host_.nullTexts = true;
    BuildDialogItems(kConfigLayout.items.data(), items, ConfigItemCount, 0, 0);
    for (const FarDialogItem& item : items) EXPECT_STREQ(item.Data, "");
}

// ---------------------------------------------------------------------------
// ConfigMenu and AboutBox
// ---------------------------------------------------------------------------

TEST_F(ConfigUiTest, MenuOffersConfigureSeparatorAndAbout) {
    host_.menuAnswers = {2};
    EXPECT_EQ(ConfigMenu(0), 2);

    ASSERT_EQ(host_.menus.size(), 1u);
    const MenuSeen& menu = host_.menus[0];
    // Plug-in number, position (centred), height, flags.
    EXPECT_EQ(std::tuple(menu.module, menu.x, menu.y, menu.maxHeight, menu.flags),
              std::tuple(7, -1, -1, 0, DWORD{FMENU_AUTOHIGHLIGHT}));
    EXPECT_EQ(menu.title, host_.texts[MMenuTitle]);
    EXPECT_FALSE(menu.bottom);
    EXPECT_FALSE(menu.help);
    EXPECT_FALSE(menu.breakKeys);
    EXPECT_FALSE(menu.breakCode);
    ASSERT_EQ(menu.lines.size(), 3u);
    EXPECT_STREQ(menu.lines[MenuConfigure].Text, host_.texts[MConfigure].c_str());
    EXPECT_EQ(menu.lines[MenuConfigure].Separator, 0);
    EXPECT_STREQ(menu.lines[MenuSeparator].Text, "");
    EXPECT_EQ(menu.lines[MenuSeparator].Separator, 1);
    EXPECT_STREQ(menu.lines[MenuAbout].Text, host_.texts[MAbout].c_str());
    for (const FarMenuItem& line : menu.lines) EXPECT_EQ(line.Checked, 0);
}

TEST_F(ConfigUiTest, MenuBarStandsOnThePreviousChoiceTakenAsAByte) {
    struct Case {
        int previous, selected;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {255, 0}, {256, 0}, {258, 2}, {-1, 0}};
    for (const Case& c : cases) {
        host_.menus.clear();
        ConfigMenu(c.previous);
        ASSERT_EQ(host_.menus.size(), 1u);
        for (int line = 0; line < ConfigMenuLineCount; ++line) {
            EXPECT_EQ(host_.menus[0].lines[static_cast<std::size_t>(line)].Selected,
                      line == c.selected ? 1 : 0)
                << "previous " << c.previous << ", line " << line;
        }
    }
}

TEST_F(ConfigUiTest, MenuLinesHoldLongTextsCutToTheirRoom) {
    host_.texts[MConfigure] = std::string(200, 'C');
    ConfigMenu(0);
    ASSERT_EQ(host_.menus.size(), 1u);
    EXPECT_EQ(std::string(host_.menus[0].lines[MenuConfigure].Text), std::string(127, 'C'));

    host_.nullTexts = true;
    ConfigMenu(0);
    ASSERT_EQ(host_.menus.size(), 2u);
    EXPECT_EQ(host_.menus[1].title, "");
    EXPECT_STREQ(host_.menus[1].lines[MenuAbout].Text, "");
}

TEST_F(ConfigUiTest, AboutBoxShowsTitleThreeLinesAndOneButton) {
    AboutBox();
    ASSERT_EQ(host_.messages.size(), 1u);
    const MessageSeen& box = host_.messages[0];
    EXPECT_EQ(box.module, 7);
    EXPECT_EQ(box.flags, 0u);
    EXPECT_EQ(box.help, "dlgAbout");
    EXPECT_EQ(box.buttons, 1);
    const std::vector<std::optional<std::string>> expected = {
        host_.texts[MAboutTitle], "", host_.texts[MAboutText], host_.texts[MFiller],
        host_.texts[MOk]};
    EXPECT_EQ(box.lines, expected);

    host_.nullTexts = true;
    AboutBox();
    ASSERT_EQ(host_.messages.size(), 2u);
    for (const auto& line : host_.messages[1].lines) EXPECT_EQ(line, "");
}

// ---------------------------------------------------------------------------
// ConfigDialog
// ---------------------------------------------------------------------------

TEST_F(ConfigUiTest, DialogShowsTheCurrentSettings) {
    EXPECT_EQ(ConfigDialog(), 0);  // left with Esc
    ASSERT_EQ(host_.dialogs.size(), 1u);
    const DialogSeen& dialog = host_.dialogs[0];
    // Plug-in number, then centred, 54 columns wide and 16 rows high.
    EXPECT_EQ(std::tuple(dialog.module, dialog.x1, dialog.y1, dialog.x2, dialog.y2),
              std::tuple(7, -1, -1, 54, 16));
    EXPECT_EQ(dialog.help, "dlgConfigure");
    ASSERT_EQ(dialog.items.size(), std::size_t{ConfigItemCount});

    const auto& items = dialog.items;
    EXPECT_EQ(items[ItemEnableQuote].Param.Selected, 1);
    EXPECT_EQ(items[ItemEnableAutoWrap].Param.Selected, 0);
    EXPECT_EQ(items[ItemEnableAutoIndent].Param.Selected, 1);
    EXPECT_EQ(items[ItemEnableHPChange].Param.Selected, 0);
    EXPECT_EQ(items[ItemEnableQuote].Flags, DWORD{DIF_GROUP});
    EXPECT_EQ(items[ItemEnableAutoWrap].Flags, 0u);
    // The three fields: their texts and the histories they are kept under.
    for (const auto& [item, text, history] :
         {std::tuple{ItemLIndent, "-5", "LIndent"}, std::tuple{ItemRIndent, "78", "RIndent"},
          std::tuple{ItemFileMask, "*.msg,golded.*", "FileMask"}}) {
        EXPECT_STREQ(items[item].Data, text);
        EXPECT_EQ(dialog.histories[item], std::string("Tansy\\Marten\\") + history);
    }
    for (int i = 0; i < ConfigItemCount; ++i) {
        EXPECT_EQ(items[i].Focus, i == ItemOk ? 1 : 0) << i;
        EXPECT_EQ(items[i].DefaultButton, i == ItemOk ? 1 : 0) << i;
    }
}

TEST_F(ConfigUiTest, DialogShowsAtMost255CharactersOfTheMask) {
    TextSettings[kFileMask] = Text(300, 'm');
    ConfigDialog();
    ASSERT_EQ(host_.dialogs.size(), 1u);
    EXPECT_EQ(std::string(host_.dialogs[0].items[ItemFileMask].Data), std::string(255, 'm'));
}

TEST_F(ConfigUiTest, ConfirmedDialogTakesEveryValue) {
    host_.dialogPlays.push_back([](FarDialogItem* items) {
        items[ItemEnableQuote].Param.Selected = 0;
        items[ItemEnableAutoWrap].Param.Selected = 1;
        items[ItemEnableAutoIndent].Param.Selected = 2;  // not a tick: only 1 is
        items[ItemEnableHPChange].Param.Selected = 1;
        std::strcpy(items[ItemLIndent].Data, "$10");
        std::strcpy(items[ItemRIndent].Data, "7x");
        std::strcpy(items[ItemFileMask].Data, "*.txt");
        return int{ItemOk};
    });
    EXPECT_EQ(ConfigDialog(), 1);
    EXPECT_EQ(testsupport::CurrentSettings(),
              (testsupport::SettingsValues{0, 1, 0, 1, 0, 16, "*.txt"}));
}

// A host that fills an edit field to the brim without a terminator.
TEST_F(ConfigUiTest, ConfirmedFieldsAreReadNoFurtherThan255Characters) {
    host_.dialogPlays.push_back([](FarDialogItem* items) {
        std::memset(items[ItemFileMask].Data, 'k', sizeof items[ItemFileMask].Data);
        std::memset(items[ItemRIndent].Data, '7', sizeof items[ItemRIndent].Data);
        return int{ItemOk};
    });
    EXPECT_EQ(ConfigDialog(), 1);
    EXPECT_EQ(TextSettings[kFileMask], Text(255, 'k'));
    EXPECT_EQ(Settings.RIndent, 0);  // 255 digits are far above the largest number
}

TEST_F(ConfigUiTest, OnlyTheOkButtonConfirms) {
    for (int answer : {int{ItemCancel}, -1, int{ItemFileMask}, 0, 99}) {
        host_.dialogPlays.push_back([answer](FarDialogItem* items) {
            items[ItemEnableQuote].Param.Selected = 0;
            std::strcpy(items[ItemRIndent].Data, "12");
            std::strcpy(items[ItemFileMask].Data, "");
            return answer;
        });
        EXPECT_EQ(ConfigDialog(), 0) << answer;
        EXPECT_EQ(Settings.EnableQuote, 1) << answer;
        EXPECT_EQ(Settings.RIndent, 78) << answer;
        EXPECT_EQ(TextSettings[kFileMask], "*.msg,golded.*") << answer;
    }
}

// ---------------------------------------------------------------------------
// Services the host did not hand over are never called
// ---------------------------------------------------------------------------

TEST_F(ConfigUiTest, MissingServicesAreNotCalled) {
    HostInfo.Dialog = nullptr;
    EXPECT_EQ(ConfigDialog(), 0);
    HostInfo.Message = nullptr;
    AboutBox();
    EXPECT_EQ(host_.order, "");

    HostInfo.Menu = nullptr;
    host_.menuAnswers = {0, 2};
    EXPECT_EQ(RunConfiguration(), 1);
    EXPECT_EQ(host_.order, "");
}

// ---------------------------------------------------------------------------
// The configuration loop
// ---------------------------------------------------------------------------

TEST_F(ConfigUiTest, LoopShowsTheMenuAgainAfterEachChoice) {
    host_.menuAnswers = {2, 0, 1, 5, -1};
    host_.dialogPlays.push_back([](FarDialogItem*) { return int{ItemCancel}; });
    EXPECT_EQ(RunConfiguration(), 0);
    EXPECT_EQ(host_.order, "MBMDMMM");

    // The bar: line 0 first, then the line chosen last; an answer that names
    // no line puts it back on line 0.
    const int expectedBar[] = {0, 2, 0, 1, 0};
    ASSERT_EQ(host_.menus.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        const auto& lines = host_.menus[i].lines;
        EXPECT_EQ(lines[static_cast<std::size_t>(expectedBar[i])].Selected, 1) << i;
    }
}

TEST_F(ConfigUiTest, LoopResultFollowsTheLastDialog) {
    host_.menuAnswers = {0, 0, 2};
    host_.dialogPlays.push_back([](FarDialogItem*) { return int{ItemOk}; });
    host_.dialogPlays.push_back([](FarDialogItem*) { return int{ItemCancel}; });
    EXPECT_EQ(RunConfiguration(), 0);  // the About box after the dialog changes nothing

    host_.menuAnswers = {0, 0};
    host_.dialogPlays.push_back([](FarDialogItem*) { return -1; });
    host_.dialogPlays.push_back([](FarDialogItem*) { return int{ItemOk}; });
    EXPECT_EQ(RunConfiguration(), 1);
}

TEST_F(ConfigUiTest, EveryRecordIsReleasedAfterItsCall) {
    const std::size_t before = HeapLiveBlocks();
    host_.menuAnswers = {2, 0, 0};
    host_.dialogPlays.push_back([](FarDialogItem*) { return int{ItemOk}; });
    host_.dialogPlays.push_back([](FarDialogItem*) { return int{ItemCancel}; });
    RunConfiguration();
    EXPECT_EQ(HeapLiveBlocks(), before);

    // Each call saw its own records on the heap, and only those.
    EXPECT_EQ(host_.order, "MBMDMDM");
    for (std::size_t during : host_.liveBlocksDuringCalls) EXPECT_EQ(during, before + 1);
}

}  // namespace
}  // namespace marten::ansi
