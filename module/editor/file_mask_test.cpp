// The mask items as NextMaskItem cuts them, as every face splits its mask list.
#include "module/editor/file_mask.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marten {
namespace {

std::vector<std::string> Items(const Text& mask) {
    std::vector<std::string> items;
    Text item;
    int pos = 1;
    while (NextMaskItem(mask, item, pos)) {
        items.emplace_back(item);
        if (items.size() > mask.size() + 1) break;  // a scan that does not end
    }
    EXPECT_TRUE(item.empty()) << "a finished scan leaves the item empty";
    return items;
}

using Strings = std::vector<std::string>;

TEST(NextMaskItem, CutsAtCommasOutsideBrackets) {
    struct Row {
        const char* mask;
        Strings items;
    };
    const Row rows[] = {
        {"*.msg,golded.*", {"*.msg", "golded.*"}},
        {"*.[a,b]x,*.txt", {"*.[a,b]x", "*.txt"}},
        {"*.msg, golded.*", {"*.msg", " golded.*"}},  // the blank belongs to the item
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a"}},
        {",", {""}},
        {",a", {"", "a"}},
        {"", {}},
        {"[]a,b", {"[]a", "b"}},  // '[]' opens no bracket
        {"[],]", {"[]", "]"}},
        {"x[,y],z", {"x[,y]", "z"}},
        {"[a,b", {"[a,b"}},  // an open bracket runs to the end
        {"a[", {"a["}},      // '[' at the very end opens a bracket
        {"a[,b", {"a[,b"}},
        {"[[,]],c", {"[[,]]", "c"}},  // the first ']' closes
        {"a b , c", {"a b ", " c"}},
    };
    for (const Row& row : rows) EXPECT_EQ(Items(row.mask), row.items) << row.mask;
}

TEST(NextMaskItem, PositionsBelowOneStartAtOneAndPastTheEndYieldNothing) {
    const Text mask = "ab,cd";
    Text item = "stale";
    int pos = -7;
    ASSERT_TRUE(NextMaskItem(mask, item, pos));
    EXPECT_EQ(item, "ab");
    EXPECT_EQ(pos, 4);
    ASSERT_TRUE(NextMaskItem(mask, item, pos));
    EXPECT_EQ(item, "cd");
    EXPECT_EQ(pos, 7);
    item = "stale";
    EXPECT_FALSE(NextMaskItem(mask, item, pos));
    EXPECT_EQ(item, "");
    pos = 0;
    ASSERT_TRUE(NextMaskItem(mask, item, pos));
    EXPECT_EQ(item, "ab");
    pos = 6;
    EXPECT_FALSE(NextMaskItem(mask, item, pos));
    pos = 5;  // starting inside an item takes its rest
    ASSERT_TRUE(NextMaskItem(mask, item, pos));
    EXPECT_EQ(item, "d");
}

}  // namespace
}  // namespace marten
