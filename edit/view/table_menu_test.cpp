#include "edit/view/table_menu.hpp"

#include <gtest/gtest.h>

#include <string>

namespace edit {
namespace {

// The list offers every table of the host's list, marks the one in use and
// gives back the table of the chosen line, so a new table needs nothing here.
TEST(TableMenu, OffersEveryTableAndPicksTheChosenOne) {
    const auto tables = engine::CodePages();
    for (const engine::CodePageRecord& current : tables) {
        const host::MenuCall menu = TableMenu(current.page);
        EXPECT_EQ(*menu.title, "Character table");
        ASSERT_EQ(menu.items.size(), tables.size());
        for (std::size_t line = 0; line < tables.size(); ++line) {
            const FarMenuItem& item = menu.items[line];
            EXPECT_EQ(std::string(item.Text), tables[line].label);
            EXPECT_EQ(item.Checked != 0, tables[line].page == current.page) << item.Text;
            EXPECT_EQ(item.Selected != 0, tables[line].page == current.page) << item.Text;
            EXPECT_EQ(TableOfMenuLine(static_cast<int>(line)), tables[line].page);
        }
    }
    EXPECT_EQ(std::string(TableMenu(engine::CodePage::Oem866).items[0].Text), "OEM 866 (DOS)");
    EXPECT_EQ(TableOfMenuLine(-1), std::nullopt);  // closed with Esc
    EXPECT_EQ(TableOfMenuLine(static_cast<int>(tables.size())), std::nullopt);
}

}  // namespace
}  // namespace edit
