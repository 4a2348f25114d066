// A Unicode plug-in's menu and message calls in the terms of the boxes:
// every character kept.
#include <gtest/gtest.h>

#include "edit/ui/ncurses_ui.hpp"

namespace edit {
namespace {

TEST(UnicodeBoxes, MenuAndMessageCallsKeepEveryCharacter) {
    host::UnicodeMenuCall menu;
    menu.title = u"Меню €";
    menu.flags = FMENU_SHOWAMPERSAND;
    menu.items = {{0, u"&Настройки"},
                  {unicode_api::MIF_SEPARATOR, u""},
                  {unicode_api::MIF_SELECTED | unicode_api::MIF_CHECKED | u'*', u"ł \xD83D\xDE00"},
                  {unicode_api::MIF_CHECKED, u"lone \xD800"}};
    MenuSpec spec = MenuSpecOf(menu);
    EXPECT_EQ(spec.title, U"Меню €");
    EXPECT_TRUE(spec.showAmpersand);
    EXPECT_EQ(spec.selected, 2);
    EXPECT_EQ(spec.lines[0].text, U"&Настройки");
    EXPECT_TRUE(spec.lines[1].separator);
    EXPECT_EQ(spec.lines[2].text, U"ł 😀");
    EXPECT_EQ(spec.lines[2].check, U'*');
    EXPECT_EQ(spec.lines[3].text, U"lone \uFFFD");
    EXPECT_EQ(spec.lines[3].check, U'√');

    host::UnicodeMessageCall message;
    message.flags = unicode_api::FMSG_WARNING;
    message.items = {u"Заголовок", u"строка €", u"OK", u"Отмена"};
    message.buttonCount = 2;
    MessageSpec box = MessageSpecOf(message);
    EXPECT_TRUE(box.warning);
    EXPECT_EQ(box.title, U"Заголовок");
    EXPECT_EQ(box.lines, std::vector<std::u32string>{U"строка €"});
    EXPECT_EQ(box.buttons, (std::vector<std::u32string>{U"OK", U"Отмена"}));
}

}  // namespace
}  // namespace edit
