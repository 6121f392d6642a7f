// Aiming with the mouse, the cue run and starting shots.
#include "game/shot_control.h"

#include <cmath>

#include "game/quantize.h"
#include "game/table_geometry.h"
#include "game/table_layout.h"
#include "tests/game/game_fixture.h"

namespace {

struct ShotSeen {
    int count = 0;
    float x = 0, z = 0, force = 0, angle = 0;
} shotSeen;

void OnShoot(float x, float z, float force, float angle) {
    shotSeen = {shotSeen.count + 1, x, z, force, angle};
}

FrameInput At(float x, float z, bool button, int dx = 0, int dy = 0, bool shift = false) {
    FrameInput in;
    in.tableHit = true;
    in.tableX = x;
    in.tableZ = z;
    in.leftButton = button;
    in.dx = dx;
    in.dy = dy;
    in.shiftHeld = shift;
    in.frameSeconds = 1.0f / 60.0f;
    return in;
}

class ShotControlTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        shotSeen = {};
        g = EmptyMatch(kSideGreen);
        g.hasFocus = 1;
        g.outputs.events.shotFired = OnShoot;
    }
    // Press on the spot, move the mouse, release; answers the aim after the move.
    AimState Aim(int dx, int dy, bool shift) {
        RunAimStep(g, At(0, 21.5f, true));
        RunAimStep(g, At(0, 21.5f, true, dx, dy, shift));
        return g.aim;
    }
    void RunCueIn() {
        for (int i = 0; i < 100 && g.aim.aimPhase == kAimReleased; ++i) {
            RunAimStep(g, At(0, 21.5f, false));
        }
    }
    GameState g;
};

}  // namespace

TEST_F(ShotControlTest, ButtonTakesHoldOnlyOnAFreeSpotOfOwnShootingLine) {
    RunAimStep(g, At(0, 0, true));  // centre of the table
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing);
    EXPECT_EQ(g.aim.placementAlpha, 0.5f);
    Put(g, 4, kColorRed, 25.0f, 21.0f);  // pocketed discs near the line still block
    g.discs[4].status = kStatusPocketed;
    RunAimStep(g, At(21.0f - 1.0f, 21.0f, true));
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing);
    RunAimStep(g, At(0, -21.5f, true));  // the other side's line
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing);
    FrameInput press = At(0, 21.5f, true);
    press.cursorX = 300;
    press.cursorY = 200;
    RunAimStep(g, press);
    EXPECT_EQ(g.aim.aimPhase, kAimHolding);
    EXPECT_EQ(g.aim.placementAlpha, 1.0f);
    EXPECT_EQ(g.aim.savedCursorX, 300);
    EXPECT_EQ(g.aim.savedCursorY, 200);
}

TEST_F(ShotControlTest, NoAimWithoutFocusDuringPauseAfterVictoryOrOnThePeersTurn) {
    auto blocked = [&](auto change) {
        GameState saved = g;
        change(g);
        RunAimStep(g, At(0, 21.5f, true));
        const bool result = g.aim.aimPhase == kAimPlacing;
        g = saved;
        return result;
    };
    EXPECT_TRUE(blocked([](GameState& s) { s.hasFocus = 0; }));
    EXPECT_TRUE(blocked([](GameState& s) { s.paused = 1; }));
    EXPECT_TRUE(blocked([](GameState& s) { s.winner = kSideRed; }));
    EXPECT_TRUE(blocked([](GameState& s) { s.currentPlayer = kSideRed; }));
    EXPECT_TRUE(blocked([](GameState& s) { s.shotOutcome = kOutcomeFoul; }));
    EXPECT_FALSE(blocked([](GameState&) {}));
}

TEST_F(ShotControlTest, MouseSetsAngleAndForceAndShiftFineTunes) {
    const AimState coarse = Aim(20, 10, false);
    EXPECT_NEAR(coarse.aimAngle, -20.0f / (100.0f * 0.8f), 1e-4f);
    EXPECT_NEAR(coarse.aimForce, 10.0f / (100.0f * 0.15f), 1e-4f);
    g = EmptyMatch(kSideGreen);
    g.hasFocus = 1;
    const AimState fine = Aim(20, 10, true);
    EXPECT_NEAR(coarse.aimAngle / fine.aimAngle, 4.375f, 1e-2f);
    EXPECT_NEAR(coarse.aimForce / fine.aimForce, (1.0f / 0.15f) / 3.0f, 1e-2f);
}

TEST_F(ShotControlTest, AimIsLimitedInAngleAndForce) {
    const AimState a = Aim(-100000, 100000, false);
    EXPECT_EQ(a.aimAngle, Quantize16(1.3659099f));
    EXPECT_EQ(a.aimForce, 10.0f);
    RunAimStep(g, At(0, 21.5f, true, 100000, -100000));
    EXPECT_EQ(g.aim.aimAngle, Quantize16(-1.3659099f));
    EXPECT_EQ(g.aim.aimForce, 0.0f);
}

TEST_F(ShotControlTest, ReleaseLatchesTheShotAndTheCueHandsItOver) {
    Aim(-8, 60, false);
    const AimState held = g.aim;
    RunAimStep(g, At(0, 21.5f, false));
    EXPECT_EQ(g.aim.aimPhase, kAimReleased);
    RunCueIn();
    ASSERT_EQ(shotSeen.count, 1);
    EXPECT_EQ(shotSeen.x, 0.0f);
    EXPECT_EQ(shotSeen.z, 21.5f);
    EXPECT_EQ(shotSeen.force, held.aimForce);
    EXPECT_EQ(shotSeen.angle, held.aimAngle);
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing);
    EXPECT_EQ(g.aim.aimForce, 0.0f);
    EXPECT_EQ(g.aim.aimAngle, 0.0f);
}

TEST_F(ShotControlTest, ReleaseAtHalfForceOrLessCancelsTheShot) {
    for (float force : {0.5f, 0.51f}) {
        shotSeen = {};
        g = EmptyMatch(kSideGreen);
        g.hasFocus = 1;
        g.outputs.events.shotFired = OnShoot;
        RunAimStep(g, At(0, 21.5f, true));
        g.aim.aimForce = force;
        RunAimStep(g, At(0, 21.5f, false));
        RunCueIn();
        EXPECT_EQ(shotSeen.count, force > 0.5f ? 1 : 0) << force;
        EXPECT_EQ(g.aim.aimPhase, kAimPlacing);
    }
}

TEST_F(ShotControlTest, LosingFocusWhileTheCueMovesInCancelsTheShot) {
    Aim(0, 60, false);
    RunAimStep(g, At(0, 21.5f, false));
    ASSERT_EQ(g.aim.aimPhase, kAimReleased);
    SetFocus(g, false);
    RunCueIn();
    EXPECT_EQ(shotSeen.count, 0);
}

TEST_F(ShotControlTest, ShotsGoTowardsTheFarSideOfEachPlayer) {
    ASSERT_TRUE(FireShot(g, 0, 21.5f, 10.0f, 0.0f));
    EXPECT_NEAR(g.discs[kStriker].vx, 0.0f, 1e-6f);
    EXPECT_NEAR(g.discs[kStriker].vz, -4.0f, 1e-6f);
    EXPECT_EQ(g.discs[kStriker].status, kStatusOnTable);
    EXPECT_EQ(g.shotOutcome, kOutcomeRunning);
    EXPECT_EQ(g.remoteShot, 0);
    EXPECT_EQ(sound.played.back().effect, kEffectShot);
    EXPECT_EQ(sound.played.back().volume, 255);  // 192 + 64 saturates

    GameState red = EmptyMatch(kSideGreen);
    red.currentPlayer = kSideRed;
    ASSERT_TRUE(FireShot(red, 0, -21.5f, 5.0f, 0.0f));
    EXPECT_NEAR(red.discs[kStriker].vz, 2.0f, 1e-6f);
    EXPECT_NEAR(red.discs[kStriker].vx, 0.0f, 1e-6f);
    EXPECT_EQ(red.remoteShot, 1);  // this machine plays green
    EXPECT_EQ(red.shotOutcome, kOutcomeNone);
    EXPECT_EQ(sound.played.back().volume, 192 + 32);
    // A positive angle turns each player's shot to his own left.
    FireShot(g, 0, 21.5f, 5.0f, 0.5f);
    red.isMoving = 0;
    FireShot(red, 0, -21.5f, 5.0f, 0.5f);
    EXPECT_LT(g.discs[kStriker].vx, 0.0f);
    EXPECT_GT(red.discs[kStriker].vx, 0.0f);
}

TEST_F(ShotControlTest, ShotIsRefusedWhileDiscsMove) {
    g.isMoving = 1;
    g.turnSeconds = 12;
    EXPECT_FALSE(FireShot(g, 0, 21.5f, 5.0f, 0.0f));
    EXPECT_EQ(g.discs[kStriker].status, kStatusOff);
    EXPECT_EQ(g.turnSeconds, 12);
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(ShotControlTest, PeerAimIsClampedToTheTable) {
    StorePeerAim(g, 40.0f, -50.0f, 3.0f, 0.25f, 1);
    EXPECT_EQ(g.peerAim.z, table::kWallLimit);
    EXPECT_EQ(g.peerAim.x, -table::kWallLimit);
    EXPECT_EQ(g.peerAim.force, 3.0f);
    EXPECT_EQ(g.peerAim.angle, 0.25f);
    EXPECT_EQ(g.peerAim.show, 1);
    // While discs move on the peer's turn its cue is hidden.
    g.currentPlayer = kSideRed;
    g.isMoving = 1;
    RunAimStep(g, At(0, 0, false));
    EXPECT_EQ(g.peerAim.show, 0);
}
