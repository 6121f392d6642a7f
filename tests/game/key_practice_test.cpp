// A practice level played with the keys alone: the computer player's search
// picks each shot, a player's taps put it on the keys' grid, and the keys
// shoot it through the game's frame, as a player without a mouse would.
#include <cmath>
#include <optional>

#include "ai/shot_search.h"
#include "game/frame.h"
#include "game/key_aim.h"
#include "tests/game/game_fixture.h"
#include "tests/game/scratch_folder.h"
#include "vexlib/exports.h"

namespace {

std::optional<ai::Shot> handedOver;
void OnShoot(float x, float z, float force, float angle) {
    handedOver = ai::Shot{x, z, force, angle};
}
void OnTurn(int) {
    MudaJogador(0);
}

class KeyPracticeTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        SetaCallBackShoot(OnShoot);
        SetaCallBackMudaJogador(OnTurn);
        handedOver.reset();
    }
    void TearDown() override {
        SetaCallBackShoot(nullptr);
        SetaCallBackMudaJogador(nullptr);
        GameTest::TearDown();
    }
    void Tap(AimKey key, int times, bool fine = false) {
        for (int i = 0; i < times; ++i) {
            FrameInput in;
            in.frameSeconds = in.keys.seconds = 1.0f / 60.0f;
            in.shiftHeld = fine;
            in.keys.down[key] = in.keys.pressed[key] = true;
            RunGameFrame(Game(), in, nullptr);
            in.keys = {};
            in.keys.seconds = in.frameSeconds;
            RunGameFrame(Game(), in, nullptr);
        }
    }
    // Taps towards a value from where it is: coarse steps, then tenth ones.
    void TapTowards(float from, float to, float step, AimKey up, AimKey down) {
        const int coarse = int(std::trunc((to - from) / step));
        Tap(coarse >= 0 ? up : down, std::abs(coarse));
        const int fine = int(std::lround((to - from - coarse * step) / (step * kKeyFineFactor)));
        Tap(fine >= 0 ? up : down, std::abs(fine), true);
    }
    ScratchFolder folder{"key_practice"};
};

}  // namespace

TEST_F(KeyPracticeTest, LevelOneIsClearedWithTheKeysAlone) {
    IniciaOffline("keys");
    GameState& g = Game();
    g.hasFocus = 1;
    int shots = 0;
    while (g.practicePhase == kPhasePlaying && shots < 25) {
        const auto plan = ai::FindShot(
            g,
            [](const ai::ShotResult& r) {
                return 10 * r.ownPocketed - 50 * r.strikerFell - 50 * r.otherPocketed;
            },
            -1);
        ASSERT_TRUE(plan.has_value());
        // For the green seat the screen's left is +x.
        Tap(kAimKeyPlaceLeft, 1);  // the keys take the striker over
        TapTowards(g.aim.aimX, plan->x, kKeyStrikerStep, kAimKeyPlaceLeft, kAimKeyPlaceRight);
        Tap(kAimKeyShoot, 1);
        ASSERT_EQ(g.aim.aimPhase, kAimHolding) << "shot " << shots;
        TapTowards(g.aim.aimAngle, plan->angle, kKeyAngleStep, kAimKeyLeft, kAimKeyRight);
        TapTowards(g.aim.aimForce, plan->force, kKeyForceStep, kAimKeyDown, kAimKeyUp);
        Tap(kAimKeyShoot, 1);
        FrameInput still;
        still.frameSeconds = 1.0f / 60.0f;
        for (int i = 0; i < 200 && !handedOver; ++i) RunGameFrame(g, still, nullptr);
        ASSERT_TRUE(handedOver.has_value()) << "shot " << shots;
        EXPECT_NEAR(handedOver->x, plan->x, kKeyStrikerStep * kKeyFineFactor);
        EXPECT_NEAR(handedOver->angle, plan->angle, kKeyAngleStep * kKeyFineFactor);
        ASSERT_EQ(DispararTiro(handedOver->x, handedOver->z, handedOver->force,
                               handedOver->angle),
                  1);
        handedOver.reset();
        table_probe::RunShotToRest();
        ++shots;
    }
    EXPECT_EQ(g.practicePhase, kPhaseLevelCleared) << "after " << shots << " shots";
    EXPECT_EQ(g.winner, kSideGreen);
    EXPECT_EQ(g.shotsTaken, shots);
}
