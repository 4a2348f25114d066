// The table of live blocks against a plain set, through growth, collisions
// and deletions in random order.
#include "module/runtime/live_blocks.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <unordered_map>
#include <vector>

namespace marten {
namespace {

const void* Address(std::uintptr_t value) { return reinterpret_cast<const void*>(value); }

TEST(LiveBlocks, AgreesWithASetThroughGrowthAndRandomErases) {
    auto table = std::make_unique<LiveBlocks>();
    std::unordered_map<std::uintptr_t, std::size_t> reference;
    std::mt19937_64 random(7);
    std::vector<std::uintptr_t> live;
    for (int round = 0; round < 20000; ++round) {
        // Mostly nearby aligned addresses, the pattern that clusters a poor hash.
        const bool insert = live.empty() || random() % 3 != 0;
        if (insert) {
            const std::uintptr_t address = 0x10000 + 16 * (random() % 4096);
            if (reference.count(address)) continue;
            const std::size_t size = random() % 100;
            ASSERT_TRUE(table->Insert(Address(address), size));
            reference[address] = size;
            live.push_back(address);
        } else {
            const std::size_t pick = random() % live.size();
            const std::uintptr_t address = live[pick];
            live[pick] = live.back();
            live.pop_back();
            std::size_t size = 0;
            ASSERT_TRUE(table->Erase(Address(address), &size));
            EXPECT_EQ(size, reference[address]);
            reference.erase(address);
            EXPECT_FALSE(table->Contains(Address(address)));
        }
        ASSERT_EQ(table->Count(), reference.size());
    }
    for (const auto& [address, size] : reference) {
        EXPECT_TRUE(table->Contains(Address(address)));
        EXPECT_TRUE(table->Erase(Address(address), nullptr));
    }
    table->ReleaseStorageIfEmpty();  // the table has no destructor of its own
}

TEST(LiveBlocks, UnknownAndNullBlocksAreNotFound) {
    auto table = std::make_unique<LiveBlocks>();
    std::size_t size = 0;
    EXPECT_FALSE(table->Erase(Address(0x1230), &size));
    EXPECT_FALSE(table->Erase(nullptr, &size));
    ASSERT_TRUE(table->Insert(Address(0x1230), 5));
    EXPECT_FALSE(table->Erase(Address(0x1238), &size));
    EXPECT_TRUE(table->Erase(Address(0x1230), &size));
    EXPECT_FALSE(table->Erase(Address(0x1230), &size));  // a second release
}

TEST(LiveBlocks, GivesBackItsGrownStorageOnceEmpty) {
    auto table = std::make_unique<LiveBlocks>();
    for (std::uintptr_t i = 1; i <= 1000; ++i) ASSERT_TRUE(table->Insert(Address(i * 8), i));
    for (std::uintptr_t i = 1; i <= 1000; ++i) ASSERT_TRUE(table->Erase(Address(i * 8), nullptr));
    table->ReleaseStorageIfEmpty();
    EXPECT_EQ(table->Count(), 0u);
    // Usable again afterwards, with none of the old blocks left.
    EXPECT_FALSE(table->Contains(Address(8)));
    ASSERT_TRUE(table->Insert(Address(8), 1));
    EXPECT_TRUE(table->Contains(Address(8)));
}

}  // namespace
}  // namespace marten
