// A Unicode plug-in's menus, messages and dialogs on the in-memory screen:
// every character shown and handed back in full, a text the user left alone
// handed back as the plug-in gave it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "edit/terminal/grid_checks_test.hpp"
#include "edit/terminal/grid_screen.hpp"
#include "edit/ui/ncurses_ui.hpp"

namespace edit {
namespace {

TEST(UnicodeBoxes, MenuAndMessageCallsKeepEveryCharacter) {
    host::MenuCall3 menu;
    menu.title = u"Меню €";
    menu.flags = FMENU_SHOWAMPERSAND;
    menu.items = {{0, u"&Настройки"},
                  {api3::MIF_SEPARATOR, u""},
                  {api3::MIF_SELECTED | api3::MIF_CHECKED | u'*', u"ł \xD83D\xDE00"},
                  {api3::MIF_CHECKED, u"lone \xD800"}};
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

    host::MessageCall3 message;
    message.flags = api3::FMSG_WARNING;
    message.items = {u"Заголовок", u"строка €", u"OK", u"Отмена"};
    message.buttonCount = 2;
    MessageSpec box = MessageSpecOf(message);
    EXPECT_TRUE(box.warning);
    EXPECT_EQ(box.title, U"Заголовок");
    EXPECT_EQ(box.lines, std::vector<std::u32string>{U"строка €"});
    EXPECT_EQ(box.buttons, (std::vector<std::u32string>{U"OK", U"Отмена"}));
}

class UnicodeDialog : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("marten-unicode-dialog-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // A frame, a label, a field with a history, a field the user leaves
    // alone, a check box, a combo box, and OK.
    static host::DialogCall3 Call() {
        host::DialogCall3 call;
        call.x2 = 50;
        call.y2 = 12;
        auto item = [](api3::FARDIALOGITEMTYPES type, std::intptr_t y, std::u16string data) {
            host::DialogItem3 item;
            item.type = type;
            item.x1 = 5;
            item.x2 = 40;
            item.y1 = item.y2 = y;
            item.data = std::move(data);
            return item;
        };
        call.items = {item(api3::DI_DOUBLEBOX, 1, u"Настройки ł"),
                      item(api3::DI_TEXT, 2, u"Маска €:"),
                      item(api3::DI_EDIT, 3, u"*.msg"),
                      item(api3::DI_EDIT, 4, u"lone \xD800"),
                      item(api3::DI_CHECKBOX, 5, u"&Флажок"),
                      item(api3::DI_COMBOBOX, 6, u""),
                      item(api3::DI_BUTTON, 8, u"OK")};
        call.items[0].x1 = 3;
        call.items[0].y2 = 9;
        call.items[2].flags = api3::DIF_HISTORY | api3::DIF_FOCUS;
        call.items[2].history = u"Маски";
        call.items[2].maxLength = 13;
        call.items[5].list = {u"один", u"два ł"};
        call.items[6].flags = api3::DIF_DEFAULTBUTTON;
        return call;
    }

    GridScreen grid_{60, 20};
    std::filesystem::path folder_;
};

TEST_F(UnicodeDialog, TextsShownTypedAndHandedBackInFull) {
    NcursesUi ui(nullptr, HistoryStore(folder_.string()));
    screen::UseScreen use(grid_);
    host::DialogCall3 call = Call();
    SeesOn(grid_, "Настройки ł");
    SeesOn(grid_, "Маска €:");
    SeesOn(grid_, "[ ] Флажок");
    // The field is bounded by the plug-in's length; ł and € are typed in full.
    grid_.Keys("{Ctrl+y}");
    grid_.Type("*.ł,*.€,*.msg,*.txt");
    SeesOn(grid_, "*.ł,*.€,*.msg");
    GoneFrom(grid_, "*.ł,*.€,*.msg,");
    grid_.Keys("{Tab}{Tab} {Tab}{Ctrl+y}");
    grid_.Type("два ł");
    grid_.Keys("{Enter}");
    EXPECT_EQ(ui.Dialog3(call), 6);
    EXPECT_EQ(call.items[2].data, u"*.ł,*.€,*.msg");
    EXPECT_EQ(call.items[3].data, u"lone \xD800");
    EXPECT_EQ(call.items[4].selected, 1);
    EXPECT_EQ(call.items[5].listPos, 1);
    // The history is kept in UTF-8, apart from the 1.x plug-in's OEM ones.
    std::ifstream in(folder_ / "unicode" / HistoryStore::FileNameFor("Маски"));
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "*.ł,*.€,*.msg");

    // Esc answers -1, as the host's dialog does.
    host::DialogCall3 again = Call();
    grid_.Keys("{Esc}");
    EXPECT_EQ(ui.Dialog3(again), -1);
}

}  // namespace
}  // namespace edit
