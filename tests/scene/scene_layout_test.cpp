// The intro's discs: the same ten in every frame, on the table, drawn from
// a generator of their own in the order colour, z, x.
#include "scene/scene_layout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/game_state.h"

TEST(SceneLayoutTest, IntroDiscsAreTheSameTenInEveryFrame) {
    const std::vector<Disc> first = IntroDiscs();
    Game().tableRandom.Next();  // the game draws from the table's generator between frames
    Game().tableRandom.Next();
    const std::vector<Disc> again = IntroDiscs();
    ASSERT_EQ(first.size(), 10u);
    ASSERT_EQ(again.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(again[i].x, first[i].x) << i;
        EXPECT_EQ(again[i].z, first[i].z) << i;
        EXPECT_EQ(again[i].color, first[i].color) << i;
        EXPECT_EQ(first[i].status, kStatusOnTable) << i;
        EXPECT_TRUE(first[i].color == kColorGreen || first[i].color == kColorRed) << i;
        EXPECT_LE(std::fabs(first[i].x), 25.0f) << i;
        EXPECT_LE(std::fabs(first[i].z), 25.0f) << i;
    }
    // Seed 1792 draws 5890 (even: green), then 1279 for z and 19497 for x.
    EXPECT_EQ(first[0].color, kColorGreen);
    EXPECT_FLOAT_EQ(first[0].z, -12.21f);
    EXPECT_FLOAT_EQ(first[0].x, 19.97f);
}
