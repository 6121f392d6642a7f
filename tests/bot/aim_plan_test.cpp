// The aim the player's hand shows: it slides the striker to its spot, turns
// and draws the cue to the shot without overshooting, releases, and the cue
// runs in at the game's cue speed before the shot goes off.
#include "bot/aim_plan.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/game_state.h"

namespace {

constexpr ai::Shot kShot{-12.0f, 21.649994f, 7.5f, -0.6f};

TEST(AimPlan, PlacesTurnsDrawsBackAndReleases) {
    const wire::Aim rest = AimPlan::Resting(kSideGreen);
    EXPECT_EQ(rest.phase, 0);
    EXPECT_EQ(rest.x, 0.0f);
    EXPECT_FLOAT_EQ(rest.z, 21.65f);

    constexpr int kAimTicks = 90;
    const AimPlan plan(rest, kShot, kAimTicks);
    const wire::Aim start = plan.At(0);
    EXPECT_EQ(start.phase, 0);
    EXPECT_EQ(start.x, rest.x);

    int lastPhase = 0;
    float lastX = rest.x;
    for (int tick = 0; tick < kAimTicks; ++tick) {
        const wire::Aim a = plan.At(tick);
        EXPECT_GE(a.phase, lastPhase) << tick;
        EXPECT_LT(a.phase, 2) << "released early at " << tick;
        // The striker moves one way only, and the cue never beyond the shot.
        EXPECT_LE(a.x, lastX) << tick;
        EXPECT_LE(std::fabs(a.angle), std::fabs(kShot.angle)) << tick;
        EXPECT_LE(a.force, kShot.force) << tick;
        if (a.phase == 0) {
            EXPECT_EQ(a.force, 0.0f);
        }
        EXPECT_FALSE(plan.Done(tick));
        lastPhase = a.phase;
        lastX = a.x;
    }
    const wire::Aim held = plan.At(kAimTicks - 1);
    EXPECT_EQ(held.phase, 1);
    EXPECT_EQ(held.x, kShot.x);
    EXPECT_EQ(held.z, kShot.z);
    EXPECT_FLOAT_EQ(held.angle, kShot.angle);
    EXPECT_FLOAT_EQ(held.force, kShot.force);

    // 90 force units a second, a sixtieth of a second a tick: 7.5 takes 5 ticks.
    const wire::Aim released = plan.At(kAimTicks + 2);
    EXPECT_EQ(released.phase, 2);
    EXPECT_FLOAT_EQ(released.force, kShot.force - 3.0f);
    EXPECT_FALSE(plan.Done(kAimTicks + 4));
    EXPECT_TRUE(plan.Done(kAimTicks + 5));
    EXPECT_EQ(plan.At(kAimTicks + 5).force, 0.0f);
}

TEST(AimPlan, NoTimeLeftReleasesAtOnce) {
    const AimPlan plan(AimPlan::Resting(kSideRed), kShot, 0);
    EXPECT_EQ(plan.At(0).phase, 2);
    EXPECT_TRUE(plan.Done(5));
}

}  // namespace
