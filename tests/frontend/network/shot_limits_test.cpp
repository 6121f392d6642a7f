// The host's copy of the game's limits on a shot, held against the game's
// own rules: the shooting lines of both sides, the force and the angle.
#include "frontend/wire/shot_limits.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/game_state.h"
#include "game/quantize.h"
#include "game/shot_control.h"
#include "game/table_layout.h"

namespace {

TEST(ShotLimits, TheShootingLinesAreTheGamesOwn) {
    GameState g;
    for (int side : {kSideGreen, kSideRed}) {
        g.currentPlayer = side;
        for (float x = -23.0f; x <= 22.0f; x += 0.25f) {
            for (float z = -26.0f; z <= 26.0f; z += 0.05f) {
                const wire::Shot shot{x, z, 5.0f, 0.0f};
                EXPECT_EQ(wire::IsPlayableShot(shot, side), InShootingZone(g, x, z))
                    << "side " << side << " at " << x << ", " << z;
            }
        }
        // The game tests the spot before rounding it: a spot just past the
        // near line may arrive rounded onto it and is still a shot.
        const float near = side == kSideGreen ? 19.3f : -19.3f;
        const float justPast = std::nextafter(near, near * 2);
        ASSERT_TRUE(InShootingZone(g, 0.0f, justPast));
        EXPECT_TRUE(wire::IsPlayableShot({0.0f, Quantize16(justPast), 5.0f, 0.0f}, side));
    }
}

TEST(ShotLimits, ForceAndAngleReachExactlyAsFarAsTheAim) {
    const float z = 21.65f;
    EXPECT_FALSE(wire::IsPlayableShot({0, z, kMinimumShotForce, 0}, 0));
    EXPECT_TRUE(wire::IsPlayableShot({0, z, std::nextafter(kMinimumShotForce, 1.0f), 0}, 0));
    EXPECT_TRUE(wire::IsPlayableShot({0, z, kForceLimit, 0}, 0));
    EXPECT_FALSE(wire::IsPlayableShot({0, z, std::nextafter(kForceLimit, 11.0f), 0}, 0));
    EXPECT_TRUE(wire::IsPlayableShot({0, z, 5, kAngleLimit}, 0));
    EXPECT_TRUE(wire::IsPlayableShot({0, z, 5, -kAngleLimit}, 0));
    EXPECT_FALSE(wire::IsPlayableShot({0, z, 5, std::nextafter(kAngleLimit, 2.0f)}, 0));
    EXPECT_FALSE(wire::IsPlayableShot({0, z, 5, std::nanf("")}, 0));
    EXPECT_FALSE(wire::IsPlayableShot({0, z, 5, 0}, 2));  // a spectator's seat has no line
}

}  // namespace
