// Where a message box stands when it must leave a row in sight.
#include "edit/ui/message_box.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

TEST(MessageBox, ABoxMovesOffTheRowItAsksAbout) {
    const struct {
        int height, screenHeight, avoidRow, top;
    } cases[] = {
        {8, 30, -1, 11},  // nothing to avoid: centred
        {8, 30, 5, 11},   // not covered by the centred box (rows 11-18, shadow 19)
        {8, 30, 20, 11},
        {8, 30, 12, 13},  // upper half: just below the row
        {8, 30, 19, 10},  // the shadow's row, lower half: just above
        {8, 30, 15, 6},   // the middle row: above it
        {8, 11, 3, 1},    // lower half has no room below, none above: centred
        {8, 11, 1, 2},    // upper half: below it
        {8, 11, 9, 0},    // lower half: above it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageTop(c.height, c.screenHeight, c.avoidRow), c.top)
            << c.height << " rows on " << c.screenHeight << ", avoiding " << c.avoidRow;
    }
}

}  // namespace
}  // namespace edit
