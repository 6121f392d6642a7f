// The hand: its error comes from the seed, grows from master to beginner,
// and never makes a shot the game would refuse; the random player's shots
// are playable too.
#include "ai/hand_error.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ai/shooting_line.h"
#include "tests/ai/ai_tables.h"

namespace {

using ai::Level;

float MeanAngleMiss(const GameState& g, const ai::Shot& meant, Level level) {
    float sum = 0.0f;
    for (uint64_t seed = 0; seed < 200; ++seed) {
        sum +=
            std::fabs(ai::WithHandError(g, meant, ai::SettingsOf(level), seed).angle - meant.angle);
    }
    return sum / 200.0f;
}

TEST(HandError, TheSeedDecidesTheMissAndBeginnersMissMore) {
    const GameState g = OpeningTable(5);
    const ai::Shot meant = ai::OnTheGrid({1.0f, ai::ShootingLineZ(kSideGreen), 6.0f, 0.1f});
    const ai::LevelSettings& club = ai::SettingsOf(Level::Club);
    EXPECT_EQ(ai::WithHandError(g, meant, club, 3), ai::WithHandError(g, meant, club, 3));
    EXPECT_FALSE(ai::WithHandError(g, meant, club, 3) == ai::WithHandError(g, meant, club, 4));

    const float beginner = MeanAngleMiss(g, meant, Level::Beginner);
    const float clubMiss = MeanAngleMiss(g, meant, Level::Club);
    const float master = MeanAngleMiss(g, meant, Level::Master);
    EXPECT_GT(beginner, 2.0f * clubMiss);
    EXPECT_GT(clubMiss, 2.0f * master);
    EXPECT_GT(master, 0.0f);
}

TEST(HandError, AShotAtTheLimitsStaysPlayable) {
    GameState g = EmptyTable(kSideRed);
    Put(g, 1, kColorGreen, 10.0f, -17.0f);  // reaches into red's strip
    const float z = ai::ShootingLineZ(kSideRed);
    const ai::Shot edges[] = {
        ai::OnTheGrid({-20.95f, z, 10.0f, 1.3659f}),  // strip's end, widest angle, full force
        ai::OnTheGrid({19.95f, z, 0.52f, -1.3659f}),  // other end, barely a shot
        ai::OnTheGrid({5.8f, z, 5.0f, 0.0f}),         // a disc's width from disc 1
    };
    for (const ai::Shot& meant : edges) {
        ASSERT_TRUE(ai::IsPlayable(g, meant));
        for (uint64_t seed = 0; seed < 300; ++seed) {
            const ai::Shot played =
                ai::WithHandError(g, meant, ai::SettingsOf(Level::Beginner), seed);
            ASSERT_TRUE(ai::IsPlayable(g, played)) << meant.x << " seed " << seed;
        }
    }
}

TEST(HandError, RandomShotsArePlayableAndSpreadOverTheStrip) {
    const GameState g = OpeningTable(9);
    float lowest = 100.0f, highest = -100.0f;
    int strong = 0;
    for (uint64_t seed = 0; seed < 300; ++seed) {
        const ai::Shot s = ai::RandomPlayableShot(g, seed);
        ASSERT_TRUE(ai::IsPlayable(g, s));
        lowest = std::min(lowest, s.x);
        highest = std::max(highest, s.x);
        strong += s.force > 5.0f;
    }
    EXPECT_LT(lowest, -18.0f);
    EXPECT_GT(highest, 17.0f);
    EXPECT_GT(strong, 100);
    EXPECT_LT(strong, 200);
}

}  // namespace
