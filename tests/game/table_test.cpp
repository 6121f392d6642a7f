// Fixed-point rounding, the random generator and the table layouts.
#include <cmath>
#include <limits>

#include "game/game_random.h"
#include "game/quantize.h"
#include "game/table_geometry.h"
#include "game/table_layout.h"
#include "tests/game/game_fixture.h"

TEST(Quantize16Test, PinsValuesToSixteenFractionalBitsTruncatingTowardsZero) {
    EXPECT_EQ(Quantize16(1.0f / 3.0f), 21845.0f / 65536.0f);
    EXPECT_EQ(Quantize16(-1.0f / 3.0f), -21845.0f / 65536.0f);
    EXPECT_EQ(Quantize16(-0.00001f), 0.0f);
    EXPECT_FALSE(std::signbit(Quantize16(-0.00001f)));
    EXPECT_EQ(Quantize16(12.5f), 12.5f);
    EXPECT_EQ(Quantize16(0.982f * 0.5f), std::trunc(0.982f * 0.5f * 65536.0f) / 65536.0f);
}

TEST(Quantize16Test, SaturatesBeyondTheFixedPointRange) {
    EXPECT_EQ(Quantize16(40000.0f), static_cast<float>(2147483647 / 65536.0));
    EXPECT_EQ(Quantize16(-40000.0f), static_cast<float>(-2147483647 / 65536.0));
    EXPECT_EQ(Quantize16(std::numeric_limits<float>::infinity()),
              static_cast<float>(2147483647 / 65536.0));
    EXPECT_EQ(Quantize16(std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

TEST(GameRandomTest, FollowsTheSharedLinearCongruentialSequence) {
    // state = state * 214013 + 2531011; the C run-time's rand() with srand(1).
    RandomSequence random(1);
    EXPECT_EQ(random.Next(), 41);
    EXPECT_EQ(random.Next(), 18467);
    EXPECT_EQ(random.Next(), 6334);
    random = RandomSequence(0xFFFFFFFFu);
    const int a = random.Next();
    EXPECT_EQ(RandomSequence(0xFFFFFFFFu).Next(), a);
    EXPECT_GE(a, 0);
    EXPECT_LE(a, 0x7FFF);
}

TEST(TableLayoutTest, StandardLayoutHasTenOfEachColourAndTheStrikerOff) {
    GameState g;
    g.tableRandom = RandomSequence(77);
    StandardLayout(g);
    int green = 0, red = 0;
    for (int k = 1; k < kDiscCount; ++k) {
        EXPECT_EQ(g.discs[k].status, kStatusOnTable);
        EXPECT_EQ(g.discs[k].x, Quantize16(g.discs[k].x));
        green += g.discs[k].color == kColorGreen;
        red += g.discs[k].color == kColorRed;
    }
    EXPECT_EQ(green, 10);
    EXPECT_EQ(red, 10);
    EXPECT_EQ(g.discs[kStriker].color, kColorYellow);
    EXPECT_EQ(g.discs[kStriker].status, kStatusOff);
    // The rings: slot 1 on the outer ring of radius 10, slot 20 the centre.
    EXPECT_NEAR(std::hypot(g.discs[1].x, g.discs[1].z), 10.0f, 1e-4f);
    EXPECT_NEAR(std::hypot(g.discs[14].x, g.discs[14].z), 5.0f, 1e-4f);
    EXPECT_EQ(g.discs[20].x, 0.0f);
    EXPECT_EQ(g.discs[20].z, 0.0f);
}

TEST(TableLayoutTest, SameSeedGivesSameColoursAndOtherSeedsDiffer) {
    auto colours = [](uint32_t seed) {
        GameState g;
        g.tableRandom = RandomSequence(seed);
        StandardLayout(g);
        uint32_t bits = 0;
        for (int k = 1; k < kDiscCount; ++k) bits |= (g.discs[k].color == kColorGreen) << k;
        return bits;
    };
    EXPECT_EQ(colours(4242), colours(4242));
    int differing = 0;
    for (uint32_t seed = 1; seed <= 20; ++seed) differing += colours(seed) != colours(4242);
    EXPECT_GT(differing, 15);
}

// A copy of the table is complete: what the original and the copy lay out
// and pick next follows from their own generators, never from what the
// other drew meanwhile.
TEST(TableLayoutTest, ACopyOfTheTableLaysOutAndPicksAsTheOriginalWould) {
    auto colours = [](const GameState& g) {
        uint32_t bits = 0;
        for (int k = 1; k < kDiscCount; ++k) bits |= (g.discs[k].color == kColorGreen) << k;
        return bits;
    };
    GameState original;
    original.tableRandom = RandomSequence(4242);
    original.showRandom = RandomSequence(99);
    original.options.discLook = DiscLook::kColourSafe;
    GameState copy = original;
    StandardLayout(original);
    const int shown = original.showRandom.Next();
    StandardLayout(copy);
    EXPECT_EQ(colours(copy), colours(original));
    EXPECT_EQ(copy.showRandom.Next(), shown);
    EXPECT_EQ(copy.options.discLook, DiscLook::kColourSafe);
}

TEST(TableLayoutTest, SlotIsTakenByAnyDiscNearItWhateverItsStatus) {
    GameState g;
    TablePoint slot5;
    ASSERT_TRUE(SlotPosition(5, slot5));
    g.discs[7] = Disc{slot5.x + 4.2f, slot5.z, 0, 0, kColorRed, kStatusPocketed};
    EXPECT_FALSE(PlaceOnSlot(g, 3, 5, false));
    EXPECT_EQ(g.discs[3].status, kStatusOff);
    g.discs[7].x = slot5.x + 4.31f;
    EXPECT_TRUE(PlaceOnSlot(g, 3, 5, false));
    EXPECT_EQ(g.discs[3].status, kStatusOnTable);
    EXPECT_EQ(g.discs[3].x, slot5.x);
    EXPECT_TRUE(PlaceOnSlot(g, 4, 5, true));  // the no-check flag places anyway
    EXPECT_FALSE(PlaceOnSlot(g, 4, 0, true));
    EXPECT_FALSE(PlaceOnSlot(g, 4, 21, true));
}

TEST(TableLayoutTest, ShootingZoneIsTheLineOfTheSideToShoot) {
    GameState g;
    using namespace table;
    const float line = kShootingLineZ;
    g.currentPlayer = kSideGreen;
    EXPECT_TRUE(InShootingZone(g, 0, line));
    EXPECT_TRUE(InShootingZone(g, kShootingStripMinX + 0.1f, kShootingStripNearZ + 0.1f));
    // The x range is not symmetric: open at both ends, longer on the left.
    EXPECT_FALSE(InShootingZone(g, kShootingStripMaxX, line));
    EXPECT_TRUE(InShootingZone(g, -kShootingStripMaxX, line));
    EXPECT_FALSE(InShootingZone(g, 0, kShootingStripFarZ));
    EXPECT_FALSE(InShootingZone(g, 0, -line));
    g.currentPlayer = kSideRed;
    EXPECT_TRUE(InShootingZone(g, kShootingStripMaxX - 0.1f, -line));
    EXPECT_FALSE(InShootingZone(g, 0, line));
    g.currentPlayer = 2;
    EXPECT_FALSE(InShootingZone(g, 0, line));
    EXPECT_FALSE(InShootingZone(g, 0, -line));
}
