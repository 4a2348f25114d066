// The rules every store applies to what it finds, for each kind of setting
// and each face: what is taken, what is unreadable, what a takeover makes of it.
#include "module/settings/stored_values.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

namespace marten {
namespace {

constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

TEST(TakenNumber, TakesWhatLiesWithinTheBoundsAndForeignFlagsWhereTheFaceKeepsThem) {
    struct Case {
        SettingId id;
        std::int64_t stored;
        Face face;
        std::optional<std::int32_t> taken;
    };
    const Case cases[] = {
        {kEnableQuote, 0, kUnicodeFace, 0},
        {kEnableQuote, 1, kUnicodeFace, 1},
        {kEnableQuote, 2, kUnicodeFace, std::nullopt},
        {kEnableQuote, -1, kUnicodeFace, std::nullopt},
        {kEnableHPChange, 2, kFar2lFace, std::nullopt},
        // The 1.x registry's byte is taken as it stands, whatever it holds.
        {kEnableQuote, 7, kAnsiFace, 7},
        {kEnableAutoWrap, 255, kAnsiFace, 255},
        {kEnableAutoWrap, 256, kAnsiFace, std::nullopt},
        {kEnableAutoWrap, -1, kAnsiFace, std::nullopt},
        // No store keeps a foreign value of Balanced.
        {kBalanced, 7, kUnicodeFace, std::nullopt},
        {kBalanced, 1, kUnicodeFace, 1},
        {kRIndent, kMin32, kUnicodeFace, std::numeric_limits<std::int32_t>::min()},
        {kRIndent, kMax32, kUnicodeFace, std::numeric_limits<std::int32_t>::max()},
        {kRIndent, kMax32 + 1, kUnicodeFace, std::nullopt},
        {kLIndent, kMin32 - 1, kAnsiFace, std::nullopt},
        {kLIndent, -5, kAnsiFace, -5},
        {kLIndent, std::int64_t{1} << 40, kFar2lFace, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TakenNumber(RowOf(c.id), c.stored, c.face), c.taken)
            << RowOf(c.id).name << " " << c.stored << " in face " << int{c.face};
    }
}

TEST(TextFits, UpTo255Characters) {
    EXPECT_TRUE(TextFits(RowOf(kFileMask), 0));
    EXPECT_TRUE(TextFits(RowOf(kFileMask), 255));
    EXPECT_FALSE(TextFits(RowOf(kFileMask), 256));
}

TEST(TakenOver, AForeignFlagCountsAsOnAndNumbersStay) {
    EXPECT_EQ(TakenOver(RowOf(kEnableQuote), 7), 1);
    EXPECT_EQ(TakenOver(RowOf(kEnableQuote), 1), 1);
    EXPECT_EQ(TakenOver(RowOf(kEnableQuote), 0), 0);
    EXPECT_EQ(TakenOver(RowOf(kRIndent), 7), 7);
    EXPECT_EQ(TakenOver(RowOf(kLIndent), -3), -3);
}

}  // namespace
}  // namespace marten
