// A Unicode plug-in's dialogs on the in-memory screen, drawn by marten-edit's
// UI: every character shown, typed and handed back in full, a text the user
// left alone handed back as the plug-in gave it; and the Unicode build of
// Marten's settings in Russian, a file mask with characters no 8-bit table
// of the editor holds kept by its settings store exactly.
#include <filesystem>

#include "edit/ui/ncurses_ui.hpp"
#include "edit/view/editor_on_grid_test.hpp"
#include "host/host.hpp"

namespace edit {
namespace {

using UnicodePluginDialogs = EditorOnGrid;

// A frame, a label, a field with a history, a field the user leaves
// alone, a check box, a combo box, and OK.
host::UnicodeDialogCall DialogCall() {
    host::UnicodeDialogCall call;
    call.x2 = 50;
    call.y2 = 12;
    auto item = [](unicode_api::FARDIALOGITEMTYPES type, std::intptr_t y, std::u16string data) {
        host::UnicodeDialogItem item;
        item.type = type;
        item.x1 = 5;
        item.x2 = 40;
        item.y1 = item.y2 = y;
        item.data = std::move(data);
        return item;
    };
    call.items = {item(unicode_api::DI_DOUBLEBOX, 1, u"Настройки ł"),
                  item(unicode_api::DI_TEXT, 2, u"Маска €:"),
                  item(unicode_api::DI_EDIT, 3, u"*.msg"),
                  item(unicode_api::DI_EDIT, 4, u"lone \xD800"),
                  item(unicode_api::DI_CHECKBOX, 5, u"&Флажок"),
                  item(unicode_api::DI_COMBOBOX, 6, u""),
                  item(unicode_api::DI_BUTTON, 8, u"OK")};
    call.items[0].x1 = 3;
    call.items[0].y2 = 9;
    call.items[2].flags = unicode_api::DIF_HISTORY | unicode_api::DIF_FOCUS;
    call.items[2].history = u"Маски";
    call.items[2].maxLength = 13;
    call.items[5].list = {u"один", u"два ł"};
    call.items[6].flags = unicode_api::DIF_DEFAULTBUTTON;
    return call;
}

TEST_F(UnicodePluginDialogs, TextsShownTypedAndHandedBackInFull) {
    NcursesUi ui(nullptr, HistoryStore(Path("history")));
    screen::UseScreen use(grid_);
    host::UnicodeDialogCall call = DialogCall();
    Sees("Настройки ł");
    Sees("Маска €:");
    Sees("[ ] Флажок");
    // The field is bounded by the plug-in's length; ł and € are typed in full.
    Keys("{Ctrl+y}");
    Type("*.ł,*.€,*.msg,*.txt");
    Sees("*.ł,*.€,*.msg");
    Gone("*.ł,*.€,*.msg,");
    Keys("{Tab}{Tab} {Tab}{Ctrl+y}");
    Type("два ł");
    Keys("{Enter}");
    EXPECT_EQ(ui.UnicodeDialog(call), 6);
    EXPECT_EQ(call.items[2].data, u"*.ł,*.€,*.msg");
    EXPECT_EQ(call.items[3].data, u"lone \xD800");
    EXPECT_EQ(call.items[4].selected, 1);
    EXPECT_EQ(call.items[5].listPos, 1);
    // The history is kept in UTF-8, apart from the 1.x plug-in's OEM ones.
    EXPECT_EQ(Read(Path("history/unicode/" + HistoryStore::FileNameFor("Маски"))),
              "*.ł,*.€,*.msg\n");

    // Esc answers -1, as the host's dialog does.
    host::UnicodeDialogCall again = DialogCall();
    Keys("{Esc}");
    EXPECT_EQ(ui.UnicodeDialog(again), -1);
}

TEST_F(UnicodePluginDialogs, RussianSettingsShowAndKeepEveryCharacter) {
    host::HostOptions options;
    options.language = "Russian";
    host::Host host(options);
    std::string error;
    const std::string module = MartenModuleIn(MARTEN_UNICODE_PLUGIN_DIR, [](const std::string& f) {
        return std::filesystem::is_regular_file(f);
    });
    ASSERT_TRUE(host.LoadModule(module, &error)) << error;
    NcursesUi ui(host.Help(), HistoryStore(Path("history")));
    host.SetUi(&ui);
    screen::UseScreen use(grid_);

    Sees("Настройки");
    Sees("О модуле Marten");
    Keys("{Enter}");
    Sees("[x] Продолжать цитаты на Enter, Del, BkSp");
    Sees("[ ] Ровные строки");
    Sees("Правое поле");
    Sees("Работать в файлах по маскам:");
    Sees("{ OK }");
    Sees("[ Отмена ]");
    // Its help, in UTF-8 too.
    Keys("{F1}");
    Sees("Настройки Marten");
    Sees("Продолжать цитаты на Enter, Del, BkSp");
    Keys("{Esc}");
    // From the first check box: four more, the two numbers, the mask.
    Keys("{Tab}{Tab}{Tab}{Tab}{Tab}{Tab}{Tab}{Ctrl+y}");
    Type("*.msg,*.ł,*.€");
    Keys("{Enter}");
    Gone("Правое поле");
    // The plug-in shows what it kept the next time.
    Keys("{Enter}");
    Sees("*.msg,*.ł,*.€");
    Keys("{Esc}{Esc}");
    ASSERT_EQ(host.EntryTitles(host::PluginEntries::Settings).size(), 1u);
    host.RunEntry(host::PluginEntries::Settings, 0);
    host.SetUi(nullptr);

    std::string settings;
    for (const auto& entry : std::filesystem::directory_iterator(Path("settings"))) {
        if (entry.is_regular_file()) settings += Read(entry.path().string());
    }
    EXPECT_NE(settings.find("\"FileMask\"=\"*.msg,*.ł,*.€\""), std::string::npos) << settings;
    EXPECT_EQ(Read(Path("history/unicode/Tansy%5CMarten%5CFileMask")), "*.msg,*.ł,*.€\n");
}

}  // namespace
}  // namespace edit
