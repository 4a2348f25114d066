// The settings dialog as each face lays it out from the one description: a
// line that only items of settings the face does not keep hold is closed up.
#include "module/ui/settings_dialog.hpp"

#include <gtest/gtest.h>

namespace marten {
namespace {

TEST(SettingsDialog, EachFaceShowsTheItemsOfTheSettingsItKeeps) {
    const DialogLayout ansi = LayoutFor(kAnsiFace);
    EXPECT_EQ(ansi.count, 16);
    EXPECT_EQ(IndexIn(kAnsiFace, DialogBalanced), -1);
    EXPECT_EQ(IndexIn(kAnsiFace, DialogOk), 14);
    for (Face face : {kUnicodeFace, kFar2lFace}) {
        EXPECT_EQ(LayoutFor(face).count, 17);
        EXPECT_EQ(IndexIn(face, DialogBalanced), 5);
        EXPECT_EQ(IndexIn(face, DialogLIndentLabel), 6);
        EXPECT_EQ(IndexIn(face, DialogOk), 15);
    }
}

TEST(SettingsDialog, LinesBelowAnItemAFaceLacksMoveUpThere) {
    struct Case {
        DialogItemId id;
        int ansiY, unicodeY;
    };
    const Case cases[] = {
        {DialogFrame, 1, 1},
        {DialogEnableHPChange, 5, 5},
        {DialogSeparatorAfterSwitches, 6, 7},
        {DialogLIndent, 7, 8},
        {DialogRIndentLabel, 8, 9},
        {DialogFileMaskLabel, 10, 11},
        {DialogFileMask, 11, 12},
        {DialogSeparatorAfterMask, 12, 13},
        {DialogCancel, 13, 14},
    };
    const DialogLayout ansi = LayoutFor(kAnsiFace);
    const DialogLayout unicode = LayoutFor(kUnicodeFace);
    for (const Case& c : cases) {
        EXPECT_EQ(ansi.items[IndexIn(kAnsiFace, c.id)].y, c.ansiY) << c.id;
        EXPECT_EQ(unicode.items[IndexIn(kUnicodeFace, c.id)].y, c.unicodeY) << c.id;
    }
    EXPECT_EQ(unicode.items[IndexIn(kUnicodeFace, DialogBalanced)].y, 6);
    // The frame ends below the buttons and sets the dialog's size.
    EXPECT_EQ(ansi.frameBottom, 14);
    EXPECT_EQ(std::pair(ansi.width, ansi.height), std::pair(54, 16));
    EXPECT_EQ(unicode.frameBottom, 15);
    EXPECT_EQ(std::pair(unicode.width, unicode.height), std::pair(54, 17));
}

}  // namespace
}  // namespace marten
