#include "game/key_aim.h"

#include <algorithm>

#include "game/quantize.h"
#include "game/table_geometry.h"

namespace {

// Inside the open strip, so a striker pushed to an end may still be placed.
constexpr float kStripMargin = 0.1f;

// The steps a key gives this frame: one for the tap, then, once held past
// the delay, a smooth share of the repeat rate.
float StepsOf(const AimKeys& keys, KeyAimState& k, AimKey key, float frameSeconds) {
    float& held = k.heldSeconds[key];
    const float steps = float(keys.presses[key]);
    if (!keys.down[key]) {
        held = 0;
        return steps;
    }
    const float before = held;
    // A key pressed since the last frame went down at some moment of this
    // frame's time, not at its start: counting that time as held would make
    // one tap after a slow frame repeat. It is held from the next frame on.
    if (keys.presses[key] == 0) held += frameSeconds;
    if (held > kKeyRepeatDelay) return steps + (held - std::max(before, kKeyRepeatDelay)) * kKeyRepeatRate;
    return steps;
}

bool AnyPressed(const AimKeys& keys, std::initializer_list<AimKey> which) {
    return std::any_of(which.begin(), which.end(), [&](AimKey key) { return keys.presses[key] > 0; });
}

// The middle of the side's strip, on the aim's grid.
float LineZ(int side) {
    return Quantize16(side == kSideRed ? -table::kShootingLineZ : table::kShootingLineZ);
}

}  // namespace

void SteerAimByKeys(GameState& g, FrameInput& input) {
    KeyAimState& k = g.keyAim;
    const AimKeys& keys = input.keys;
    const float fine = input.shiftHeld ? kKeyFineFactor : 1.0f;
    float steps[kAimKeyCount];
    for (int key = 0; key < kAimKeyCount; ++key)
        steps[key] = StepsOf(keys, k, AimKey(key), input.frameSeconds);
    AddPadSteps(input.pad, input.frameSeconds, steps);
    const int shoots = k.shootsWaiting + keys.presses[kAimKeyShoot] + (input.pad.shootPressed ? 1 : 0);
    k.shootsWaiting = 0;
    const bool shootPressed = shoots > 0;

    // A dropped aim (lost focus, a reset, a finished shot) lets go of the cue.
    if (g.aim.aimPhase != kAimHolding) k.holding = false;
    // The mouse takes the striker back as soon as the player uses it.
    if (!k.holding && (input.dx != 0 || input.dy != 0 || input.leftButton)) k.steering = false;

    const bool ownTurn = g.currentPlayer == g.localSeat && g.winner == kNoWinner &&
                         g.hasFocus && !g.paused && !WatchedRun(g);
    if (!ownTurn) return;

    if (g.aim.aimPhase == kAimPlacing) {
        // The green seat looks along -z, so its left on the screen is +x;
        // the red seat sees the table turned round.
        const float leftward = g.localSeat == kSideRed ? -1.0f : 1.0f;
        const float along = steps[kAimKeyLeft] + steps[kAimKeyPlaceLeft] -
                            steps[kAimKeyRight] - steps[kAimKeyPlaceRight];
        const bool takeCue = shootPressed || AnyPressed(keys, {kAimKeyUp, kAimKeyDown});
        if (!k.steering && (along != 0 || takeCue)) {
            k.steering = true;
            k.x = g.aim.aimX;
        }
        if (k.steering) k.x += along * leftward * kKeyStrikerStep * fine;
        if (takeCue) k.holding = true;
        // A second Space in the same frame shoots on the next one.
        if (shootPressed) k.shootsWaiting = std::min(shoots - 1, 1);
    } else if (g.aim.aimPhase == kAimHolding) {
        input.turn = (steps[kAimKeyLeft] - steps[kAimKeyRight]) * kKeyAngleStep * fine;
        input.pull = (steps[kAimKeyDown] - steps[kAimKeyUp]) * kKeyForceStep * fine;
        if (k.holding && shootPressed) k.holding = false;
    }

    if (k.steering) {
        k.x = std::clamp(k.x, table::kShootingStripMinX + kStripMargin,
                         table::kShootingStripMaxX - kStripMargin);
        input.tableHit = true;
        input.tableX = k.x;
        input.tableZ = LineZ(g.currentPlayer);
    }
    input.leftButton = input.leftButton || k.holding;
}
