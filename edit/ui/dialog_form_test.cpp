// The editor's dialogs laid out as the host lays out the module's.
#include "edit/ui/dialog_form.hpp"

#include <gtest/gtest.h>

#include "edit/ui/dialog_layout.hpp"

namespace edit {
namespace {

TEST(DialogForm, ItemsGoDownRowByRowInsideTheFrameWithTheButtonsCentred) {
    DialogForm form(U"Поиск", 40);
    const int label = form.Label(U"Search for");
    const int field = form.Field(U"кот", "marten-edit\\SearchText");
    form.Separator();
    const int box = form.Checkbox(U"&Case sensitive", true);
    form.Separator();
    const int search = form.Buttons({U"&Search", U"Cancel"});
    form.Focus(box);
    host::DialogCall call = form.Call("Search");

    EXPECT_EQ(call.x1, -1);
    EXPECT_EQ(call.y1, -1);
    EXPECT_EQ(call.x2, 40);
    EXPECT_EQ(call.y2, 10);  // rows 2 to 7, the frame's bottom on 8, a margin below
    EXPECT_EQ(call.helpTopic, "Search");
    ASSERT_EQ(call.itemCount, 8);
    const FarDialogItem* items = call.items;
    EXPECT_EQ(items[0].Type, DI_DOUBLEBOX);
    EXPECT_EQ((std::vector<int>{items[0].X1, items[0].Y1, items[0].X2, items[0].Y2}), (std::vector<int>{3, 1, 36, 8}));
    // Data holds a character's worth for each, for the layout's widths.
    EXPECT_STREQ(items[0].Data, "\x8F\xAE\xA8\xE1\xAA");
    EXPECT_EQ(items[label].Y1, 2);
    EXPECT_EQ(items[field].Type, DI_EDIT);
    EXPECT_EQ((std::vector<int>{items[field].X1, items[field].Y1, items[field].X2}), (std::vector<int>{5, 3, 33}));
    EXPECT_TRUE(items[field].Flags & DIF_HISTORY);
    EXPECT_STREQ(items[field].Param.History, "marten-edit\\SearchText");
    EXPECT_TRUE(items[label + 2].Flags & DIF_SEPARATOR);
    EXPECT_EQ(items[box].Y1, 5);
    EXPECT_TRUE(form.Checked(box));
    EXPECT_EQ(InitialFocus(items, call.itemCount), box);
    EXPECT_EQ(DefaultItem(items, call.itemCount), search);
    EXPECT_EQ(items[search + 1].Y1, 7);
    const std::vector<int> columns = ItemColumns(items, call.itemCount, 40);
    EXPECT_EQ(columns[static_cast<std::size_t>(search)], 9);  // "{ Search } [ Cancel ]" in 40 columns
    EXPECT_EQ(columns[static_cast<std::size_t>(search) + 1], 20);
    EXPECT_EQ(form.Text(field), U"кот");
}

}  // namespace
}  // namespace edit
