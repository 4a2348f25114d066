// Menus, message boxes and the conversions of screen text.
#include <gtest/gtest.h>

#include <cstring>

#include "edit/ui/menu_box.hpp"
#include "edit/ui/ncurses_ui.hpp"
#include "edit/ui/screen_text.hpp"

namespace edit {
namespace {

TEST(Menu, BarSkipsSeparatorsAndWraps) {
    std::vector<MenuLine> lines = {{U"Settings"}, {U"", true}, {U"About"}};
    EXPECT_EQ(NextSelectable(lines, 0, 1), 2);
    EXPECT_EQ(NextSelectable(lines, 2, 1), 0);
    EXPECT_EQ(NextSelectable(lines, 0, -1), 2);
    std::vector<MenuLine> none = {{U"", true}};
    EXPECT_EQ(NextSelectable(none, 0, 1), -1);
}

TEST(Menu, HotkeysFromAmpersandsThenFirstFreeLetters) {
    std::vector<MenuLine> lines = {{U"&Settings"}, {U"", true}, {U"Save as"}, {U"About"}};
    EXPECT_EQ(MenuHotkeys(lines, false, false), (std::vector<char32_t>{U's', 0, 0, 0}));
    EXPECT_EQ(MenuHotkeys(lines, false, true), (std::vector<char32_t>{U's', 0, U'a', U'b'}));
    // With the ampersand shown it is text, not a mark.
    EXPECT_EQ(MenuHotkeys(lines, true, false), (std::vector<char32_t>{0, 0, 0, 0}));
}

TEST(Menu, ModuleMenuCallBecomesAMenuWithTheBarWhereTheModuleSetIt) {
    host::MenuCall call;
    call.title = "Marten";
    FarMenuItem a{}, sep{}, b{};
    std::strcpy(a.Text, "\x8D\xa0\xe1\xe2\xe0\xae\xa9\xaa\xa8");  // "Настройки" in 866
    sep.Separator = 1;
    std::strcpy(b.Text, "About");
    b.Selected = 1;
    call.items = {a, sep, b};
    MenuSpec menu = MenuSpecOf(call);
    EXPECT_EQ(menu.selected, 2);
    EXPECT_EQ(menu.lines[0].text, U"Настройки");
    EXPECT_TRUE(menu.lines[1].separator);
    EXPECT_TRUE(menu.helpTopic.empty());
}

TEST(Message, ModuleItemsSplitIntoTitleLinesAndButtons) {
    host::MessageCall call;
    call.items = {std::string("About"), std::nullopt, std::string("Marten 1.0"), std::string(""),
                  std::string("OK")};
    call.buttonCount = 1;
    call.helpTopic = "dlgAbout";
    MessageSpec box = MessageSpecOf(call);
    EXPECT_EQ(box.title, U"About");
    EXPECT_EQ(box.lines, (std::vector<std::u32string>{U"", U"Marten 1.0", U""}));
    EXPECT_EQ(box.buttons, (std::vector<std::u32string>{U"OK"}));
    EXPECT_EQ(box.helpTopic, "dlgAbout");
    // More buttons than items: only what is there, the title stays a title.
    call.buttonCount = 9;
    EXPECT_EQ(MessageSpecOf(call).title, U"About");
    EXPECT_EQ(MessageSpecOf(call).buttons.size(), 4u);
}

TEST(ScreenText, ConversionsAndHotkeys) {
    EXPECT_EQ(OemToText("\x8D\xe0"), U"Нр");
    EXPECT_EQ(TextToOem(U"Нр€"), "\x8D\xe0?");
    EXPECT_EQ(Utf8ToText("a\xd0\x9d\xff\xe2\x82"), U"aН\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToText("\xc0\xaf"), U"\uFFFD\uFFFD");  // overlong '/'
    EXPECT_EQ(TextToUtf8(U"Нр😀"), "\xd0\x9d\xd1\x80\xf0\x9f\x98\x80");
    HotkeyLabel label = ParseHotkey(U"Save && &quit");
    EXPECT_EQ(label.text, U"Save & quit");
    EXPECT_EQ(label.hotkey, 7);
    EXPECT_EQ(ParseHotkey(U"trailing&").text, U"trailing&");
    EXPECT_EQ(FoldCase(U'Н'), U'н');
    EXPECT_EQ(FoldCase(U'Q'), U'q');
}

TEST(Message, LongLinesBreakAtBlanksAndLoseNothing) {
    EXPECT_EQ(BreakLine(U"cannot write /a/b: No such file", 20),
              (std::vector<std::u32string>{U"cannot write /a/b:", U"No such file"}));
    EXPECT_EQ(BreakLine(U"/a/very/long/path", 6), (std::vector<std::u32string>{U"/a/ver", U"y/long", U"/path"}));
    EXPECT_EQ(BreakLine(U"", 5), (std::vector<std::u32string>{U""}));
}

}  // namespace
}  // namespace edit
