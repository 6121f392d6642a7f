// The physics step: friction and stopping, walls, holes, impacts and the limits.
#include <cmath>

#include "game/quantize.h"
#include "game/table_geometry.h"
#include "game/table_layout.h"
#include "tests/game/game_fixture.h"

using PhysicsTest = GameTest;

TEST_F(PhysicsTest, LoneDiscSlowsByFrictionAndStopsTheStepAfterFallingBelowThreshold) {
    GameState g = EmptyMatch();
    Put(g, 1, kColorGreen, -20.0f, 0.0f, 0.5f, 0.0f);
    float previous = 0.5f;
    int steps = 0;
    while (g.discs[1].vx > 0.035f) {
        StepPhysics(g);
        ++steps;
        ASSERT_EQ(g.isMoving, 1);
        // Friction, then truncation to the next 1/65536 below.
        EXPECT_NEAR(g.discs[1].vx, previous * 0.982f, 1.0f / 65536.0f + 1e-7f);
        previous = g.discs[1].vx;
    }
    EXPECT_NEAR(steps, std::log(0.035 / 0.5) / std::log(0.982), 1.0);
    const float restX = g.discs[1].x;

    StepPhysics(g);  // the stopping step still counts as moving and does not move
    EXPECT_EQ(g.isMoving, 1);
    EXPECT_EQ(g.discs[1].vx, 0.0f);
    EXPECT_EQ(g.discs[1].x, restX);
    StepPhysics(g);
    EXPECT_EQ(g.isMoving, 0);
    // Geometric series: the distance run is (0.5 - v_end) / (1 - 0.982).
    EXPECT_NEAR(restX + 20.0f, (0.5f - previous) / 0.018f, 0.1f);
}

TEST_F(PhysicsTest, WallReflectsWithRestitutionAndPlaysTheWallSound) {
    GameState g = EmptyMatch();
    Put(g, 1, kColorGreen, 31.9f, 0.0f, 0.5f, 0.0f);
    StepPhysics(g);
    EXPECT_EQ(g.discs[1].x, table::kWallLimit);
    EXPECT_EQ(g.discs[1].vx, Quantize16(-(0.5f * 0.982f * 0.8f)));
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].effect, kEffectWall);
    EXPECT_EQ(sound.played[0].volume, 192);

    // Z weighs eight times in the wall volume; a fast hit saturates at 255.
    GameState h = EmptyMatch();
    Put(h, 1, kColorGreen, 0.0f, -31.0f, 0.0f, -3.0f);
    StepPhysics(h);
    EXPECT_EQ(h.discs[1].z, -table::kWallLimit);
    EXPECT_GT(h.discs[1].vz, 0.0f);
    EXPECT_EQ(sound.played.back().volume, 192 + static_cast<int>(8.0f * 3.0f * 0.982f * 0.8f));
    Put(h, 2, kColorGreen, 0.0f, 31.0f, 0.0f, 12.0f);
    StepPhysics(h);
    EXPECT_EQ(sound.played.back().volume, 255);
}

TEST_F(PhysicsTest, HeadOnImpactStopsTheStrikerAndPassesOnTheFullSpeed) {
    GameState g = EmptyMatch();
    // The struck disc has the lower index, so it only starts moving next step.
    Put(g, 5, kColorGreen, -10.0f, 0.0f, 1.0f, 0.0f);
    Put(g, 1, kColorRed, -4.0f, 0.0f);
    float speedBefore = 0;
    while (sound.Count(kEffectDiscHit) == 0) {
        speedBefore = g.discs[5].vx;
        StepPhysics(g);
    }
    EXPECT_EQ(g.discs[5].vx, 0.0f);
    EXPECT_EQ(g.discs[5].vz, 0.0f);
    EXPECT_NEAR(g.discs[1].vx, speedBefore * 0.982f, 1e-4f);
    EXPECT_EQ(g.discs[1].vz, 0.0f);
    // Pushed apart to just about touching.
    EXPECT_NEAR(g.discs[1].x - g.discs[5].x, table::kDiscDiameter, 0.05f);
    EXPECT_EQ(sound.played.back().volume, 186 + static_cast<int>(speedBefore * 0.982f));
}

TEST_F(PhysicsTest, GlancingImpactSwapsNormalSpeedsAndDampsTangentialOnes) {
    GameState g = EmptyMatch();
    // Disc 1 sits beside the path of disc 5, so they meet at an angle.
    Put(g, 5, kColorGreen, -8.0f, 0.0f, 1.5f, 0.0f);
    Put(g, 1, kColorRed, 0.0f, 2.5f);
    Disc before1{}, before2{};
    while (sound.Count(kEffectDiscHit) == 0) {
        before1 = g.discs[5];
        before2 = g.discs[1];
        StepPhysics(g);
    }
    // Reconstruct the contact normal from the positions at impact.
    const float mx = before1.x + before1.vx;  // where disc 1 moved to before the impact
    const float dx = before2.x - mx, dz = before2.z - before1.z;
    const float len = std::hypot(dx, dz);
    const float nx = dx / len, nz = dz / len, tx = -nz, tz = nx;
    const float v1x = before1.vx * 0.982f;
    const float tangential = v1x * tx, normal = v1x * nx;
    const Disc& a = g.discs[5];
    const Disc& b = g.discs[1];
    EXPECT_NEAR(a.vx * nx + a.vz * nz, 0.0f, 1e-3f);
    EXPECT_NEAR(a.vx * tx + a.vz * tz, tangential / 1.2f, 1e-3f);
    EXPECT_NEAR(b.vx * nx + b.vz * nz, normal, 1e-3f);
    EXPECT_NEAR(b.vx * tx + b.vz * tz, 0.0f, 1e-3f);
}

TEST_F(PhysicsTest, StillOverlappingDiscsStayPutUntilOneMoves) {
    GameState g = EmptyMatch();
    Put(g, 1, kColorGreen, 0.0f, 0.0f);
    Put(g, 2, kColorRed, 2.0f, 0.0f);
    for (int i = 0; i < 5; ++i) StepPhysics(g);
    EXPECT_EQ(g.discs[1].x, 0.0f);
    EXPECT_EQ(g.discs[2].x, 2.0f);
    EXPECT_EQ(sound.Count(kEffectDiscHit), 0);
    g.discs[2].vz = 0.1f;
    StepPhysics(g);
    EXPECT_GE(g.discs[2].x - g.discs[1].x, 2.0f);
    EXPECT_GT(sound.Count(kEffectDiscHit), 0);
}

TEST_F(PhysicsTest, DiscsWithIdenticalCentresSeparateWithoutNaN) {
    GameState g = EmptyMatch();
    Put(g, 1, kColorGreen, 3.0f, 3.0f, 0.0f, 0.5f);
    Put(g, 2, kColorRed, 3.0f, 3.0f);
    RunUntilStill(g);
    for (int k = 1; k <= 2; ++k) {
        EXPECT_TRUE(std::isfinite(g.discs[k].x));
        EXPECT_TRUE(std::isfinite(g.discs[k].z));
        EXPECT_EQ(g.discs[k].status, kStatusOnTable);
    }
    EXPECT_GE(std::hypot(g.discs[2].x - g.discs[1].x, g.discs[2].z - g.discs[1].z), 2.0f);
}

TEST_F(PhysicsTest, DiscRunningIntoACornerFallsAndIsScored) {
    GameState g = EmptyMatch();
    g.currentPlayer = kSideGreen;
    // Along the wall towards (25.5, -25.5): it grazes the wall, then drops.
    Put(g, 3, kColorGreen, 10.0f, -31.5f, 1.0f, -0.2f);
    RunUntilStill(g);
    EXPECT_EQ(g.discs[3].status, kStatusPocketed);
    EXPECT_EQ(g.discs[3].vx, 0.0f);
    EXPECT_LT(std::hypot(g.discs[3].x - table::kHoleCenter, g.discs[3].z + table::kHoleCenter),
              table::kHoleCaptureRadius);
    EXPECT_GT(sound.Count(kEffectWall), 0);
    EXPECT_EQ(sound.Count(kEffectPocket), 1);
    EXPECT_EQ(g.points[kSideGreen], 1);
}

TEST_F(PhysicsTest, HoleCapturesOnlyInsideItsRadius) {
    GameState g = EmptyMatch();
    Put(g, 1, kColorGreen, 20.8f, table::kHoleCenter, 0.2f, 0.0f);  // ends 4.5 from the hole
    Put(g, 2, kColorRed, 21.0f, -table::kHoleCenter, 0.2f, 0.0f);   // ends 4.3 from the hole
    StepPhysics(g);
    EXPECT_EQ(g.discs[1].status, kStatusOnTable);
    EXPECT_EQ(g.discs[2].status, kStatusPocketed);
    EXPECT_TRUE(g.discs[2].IsStill());
}

TEST_F(PhysicsTest, StrikerLeavesTheTableOnTheFirstStillStep) {
    GameState g = EmptyMatch();
    Put(g, kStriker, kColorYellow, 0.0f, 21.5f, 0.0f, -0.5f);
    StepPhysics(g);
    EXPECT_EQ(g.discs[kStriker].status, kStatusOnTable);
    RunUntilStill(g);
    EXPECT_EQ(g.discs[kStriker].status, kStatusOff);
}

TEST_F(PhysicsTest, ShotThatNeverSettlesIsCutOffAfterTheStepLimit) {
    GameState g = EmptyMatch();
    Put(g, 1, kColorGreen, -20.0f, 0.0f, 0.5f, 0.0f);
    Put(g, 2, kColorRed, 10.0f, 10.0f, 0.0f, 0.3f);
    g.movingSteps = kMovingStepLimit - 1;
    StepPhysics(g);
    EXPECT_EQ(g.isMoving, 1);
    EXPECT_EQ(g.movingSteps, kMovingStepLimit);
    StepPhysics(g);
    EXPECT_EQ(g.isMoving, 0);
    EXPECT_EQ(g.movingSteps, 0);
    EXPECT_TRUE(g.discs[1].IsStill());
    EXPECT_TRUE(g.discs[2].IsStill());
}

TEST_F(PhysicsTest, IdleAndPausedPracticeTablesDoNotMove) {
    GameState g = EmptyMatch();
    Put(g, 1, kColorGreen, 0.0f, 0.0f, 1.0f, 0.0f);
    g.mode = kModeIdle;
    StepPhysics(g);
    EXPECT_EQ(g.discs[1].x, 0.0f);
    g.mode = kModePractice;
    g.paused = 1;
    StepPhysics(g);
    EXPECT_EQ(g.discs[1].x, 0.0f);
    g.paused = 0;
    StepPhysics(g);
    EXPECT_EQ(g.discs[1].x, 1.0f);
}

TEST_F(PhysicsTest, LowerIndexDiscStruckThisStepStartsMovingNextStep) {
    GameState g = EmptyMatch();
    Put(g, 1, kColorGreen, 0.0f, 0.0f);
    Put(g, 5, kColorRed, -4.5f, 0.0f, 0.5f, 0.0f);
    StepPhysics(g);  // disc 5 strikes disc 1, which was already processed
    const float hitX = g.discs[1].x;
    EXPECT_GT(g.discs[1].vx, 0.0f);
    StepPhysics(g);
    EXPECT_GT(g.discs[1].x, hitX);
}
