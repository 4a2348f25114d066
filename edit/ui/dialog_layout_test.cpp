#include "edit/ui/dialog_layout.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace edit {
namespace {

FarDialogItem Item(int type, int x1, int y1, int x2, const char* data, DWORD flags = 0) {
    FarDialogItem item{};
    item.Type = type;
    item.X1 = x1;
    item.Y1 = y1;
    item.X2 = x2;
    item.Flags = flags;
    std::strncpy(item.Data, data, sizeof item.Data - 1);
    return item;
}

TEST(DialogLayout, CentredDialogTakesX2AndY2AsItsSize) {
    DialogRect r = PlaceDialog(-1, -1, 54, 16, 100, 30);
    EXPECT_EQ(r.width, 54);
    EXPECT_EQ(r.height, 16);
    EXPECT_EQ(r.x, 23);
    EXPECT_EQ(r.y, 7);
    // Corners given: a rectangle; kept on a screen that is too small.
    DialogRect fixed = PlaceDialog(2, 3, 11, 8, 100, 30);
    EXPECT_EQ(fixed.x, 2);
    EXPECT_EQ(fixed.width, 10);
    EXPECT_EQ(fixed.height, 6);
    DialogRect small = PlaceDialog(-1, -1, 54, 16, 40, 10);
    EXPECT_EQ(small.x, 0);
    EXPECT_EQ(small.width, 40);
    EXPECT_EQ(small.height, 10);
}

TEST(DialogLayout, CentreGroupButtonsShareTheirRow) {
    std::vector<FarDialogItem> items = {
        Item(DI_DOUBLEBOX, 3, 1, 50, "Marten"),
        Item(DI_BUTTON, 4, 13, 0, "OK", DIF_CENTERGROUP),      // "[ OK ]" 6 cells
        Item(DI_BUTTON, 0, 13, 0, "&Cancel", DIF_CENTERGROUP),  // "[ Cancel ]" 10 cells
    };
    std::vector<int> x = ItemColumns(items.data(), 3, 54);
    EXPECT_EQ(x[0], 3);
    EXPECT_EQ(x[1], (54 - 17) / 2);
    EXPECT_EQ(x[2], x[1] + 7);
}

TEST(DialogLayout, FocusSkipsTextsAndWraps) {
    std::vector<FarDialogItem> items = {
        Item(DI_DOUBLEBOX, 3, 1, 50, ""), Item(DI_CHECKBOX, 5, 2, 0, "a"),
        Item(DI_TEXT, 9, 3, 30, "label"), Item(DI_EDIT, 5, 3, 7, ""),
        Item(DI_TEXT, 4, 4, 30, "", DIF_SEPARATOR), Item(DI_BUTTON, 4, 5, 0, "OK"),
    };
    EXPECT_EQ(NextFocus(items.data(), 6, 1, 1), 3);
    EXPECT_EQ(NextFocus(items.data(), 6, 3, 1), 5);
    EXPECT_EQ(NextFocus(items.data(), 6, 5, 1), 1);
    EXPECT_EQ(NextFocus(items.data(), 6, 1, -1), 5);
    EXPECT_EQ(InitialFocus(items.data(), 6), 1);
    items[5].Focus = 1;
    EXPECT_EQ(InitialFocus(items.data(), 6), 5);
    EXPECT_EQ(DefaultItem(items.data(), 6), -1);
    items[5].DefaultButton = 1;
    EXPECT_EQ(DefaultItem(items.data(), 6), 5);
    std::vector<FarDialogItem> texts = {Item(DI_TEXT, 0, 0, 0, "x")};
    EXPECT_EQ(InitialFocus(texts.data(), 1), -1);
}

TEST(DialogLayout, RadioGroupsStartAtTheGroupFlag) {
    std::vector<FarDialogItem> items = {
        Item(DI_RADIOBUTTON, 5, 2, 0, "a", DIF_GROUP), Item(DI_RADIOBUTTON, 5, 3, 0, "b"),
        Item(DI_RADIOBUTTON, 5, 4, 0, "c", DIF_GROUP), Item(DI_RADIOBUTTON, 5, 5, 0, "d"),
        Item(DI_BUTTON, 5, 6, 0, "OK"),
    };
    EXPECT_EQ(RadioGroup(items.data(), 5, 1), (std::vector<int>{0, 1}));
    EXPECT_EQ(RadioGroup(items.data(), 5, 2), (std::vector<int>{2, 3}));
    EXPECT_EQ(RadioGroup(items.data(), 5, 3), (std::vector<int>{2, 3}));
}

}  // namespace
}  // namespace edit
