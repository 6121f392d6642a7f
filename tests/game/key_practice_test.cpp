// A practice level played with the keys alone: the computer player's search
// picks each shot, a player's taps put it on the keys' grid, and the keys
// shoot it through the game's frame, as a player without a mouse would.
#include <cmath>
#include <optional>

#include "game/frame.h"
#include "game/key_aim.h"
#include "tests/game/practice_plan.h"
#include "tests/game/scratch_folder.h"
#include "vexlib/exports.h"

namespace {

class KeyPracticeTest : public PracticeLevelTest {
protected:
    void Tap(AimKey key, int times, bool fine = false) {
        for (int i = 0; i < times; ++i) {
            FrameInput in;
            in.frameSeconds = 1.0f / 60.0f;
            in.shiftHeld = fine;
            in.keys.down[key] = true;
            in.keys.presses[key] = 1;
            RunGameFrame(Game(), in, nullptr);
            in.keys = {};
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
    ClearTheLevel(
        [&](const ai::Shot& plan) {
            // For the green seat the screen's left is +x.
            Tap(kAimKeyPlaceLeft, 1);  // the keys take the striker over
            TapTowards(g.aim.aimX, plan.x, kKeyStrikerStep, kAimKeyPlaceLeft, kAimKeyPlaceRight);
            Tap(kAimKeyShoot, 1);
            ASSERT_EQ(g.aim.aimPhase, kAimHolding);
            TapTowards(g.aim.aimAngle, plan.angle, kKeyAngleStep, kAimKeyLeft, kAimKeyRight);
            TapTowards(g.aim.aimForce, plan.force, kKeyForceStep, kAimKeyDown, kAimKeyUp);
            Tap(kAimKeyShoot, 1);
        },
        [&] {
            FrameInput still;
            still.frameSeconds = 1.0f / 60.0f;
            RunGameFrame(g, still, nullptr);
        });
}
