// Aiming with the keys and the gamepad through the game's frame: the same
// shot as the mouse, each seat's own left, taps, held keys and a pushed
// stick, a resting stick, and the mouse taking over again.
#include "game/key_aim.h"

#include "game/frame.h"
#include "game/quantize.h"
#include "game/table_geometry.h"
#include "tests/game/game_fixture.h"

namespace {

struct ShotSeen {
    int count = 0;
    float x = 0, z = 0, force = 0, angle = 0;
    bool operator==(const ShotSeen&) const = default;
} shotSeen;

void OnShoot(float x, float z, float force, float angle) {
    shotSeen = {shotSeen.count + 1, x, z, force, angle};
}

// A view whose cursor lies on a fixed point of the table, or off it.
class PointedView final : public FrameView {
public:
    void PlaceCamera(const GameState&) override {}
    bool PickTable(float& x, float& z) override {
        x = x_, z = z_;
        return onTable_;
    }
    void PointAt(float x, float z) { x_ = x, z_ = z, onTable_ = true; }
    void PointOff() { onTable_ = false; }

private:
    float x_ = 0, z_ = 0;
    bool onTable_ = false;
};

constexpr float kFrame = 1.0f / 60.0f;
const float kLineZ = Quantize16(table::kShootingLineZ);

class KeyAimTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        shotSeen = {};
        Seat(kSideGreen);
    }
    void Seat(int side) {
        g = EmptyMatch(side);
        g.currentPlayer = side;
        g.hasFocus = 1;
        g.outputs.events.shotFired = OnShoot;
    }
    // One frame with the keys held; those newly held count as pressed.
    void Frame(std::initializer_list<AimKey> held, FrameInput in = {}) {
        in.frameSeconds = in.frameSeconds > 0 ? in.frameSeconds : kFrame;
        for (AimKey key : held) {
            in.keys.down[key] = true;
            in.keys.presses[key] = !wasDown_[key];
        }
        for (int key = 0; key < kAimKeyCount; ++key) wasDown_[key] = in.keys.down[key];
        RunGameFrame(g, in, &view);
    }
    // A tap: one frame down, one frame up.
    void Tap(AimKey key, int times = 1, bool shift = false) {
        FrameInput in;
        in.shiftHeld = shift;
        for (int i = 0; i < times; ++i) {
            Frame({key}, in);
            Frame({}, in);
        }
    }
    void RunCueIn() {
        for (int i = 0; i < 200 && g.aim.aimPhase == kAimReleased; ++i) Frame({});
    }
    // Four taps to the left, the cue taken, five taps turning left, six
    // drawing the cue back, and Space.
    void ShootByKeys() {
        Tap(kAimKeyLeft, 4);
        Tap(kAimKeyShoot);
        ASSERT_EQ(g.aim.aimPhase, kAimHolding);
        Tap(kAimKeyLeft, 5);
        Tap(kAimKeyDown, 6);
        Tap(kAimKeyShoot);
        RunCueIn();
    }
    GameState g;
    PointedView view;
    bool wasDown_[kAimKeyCount] = {};
};

TEST_F(KeyAimTest, TapsShootExactlyTheShotTheSameMouseMovementShoots) {
    ShootByKeys();
    ASSERT_EQ(shotSeen.count, 1);
    const ShotSeen byKeys = shotSeen;
    EXPECT_EQ(byKeys.x, 4 * kKeyStrikerStep) << "the green seat's left is +x";
    EXPECT_EQ(byKeys.z, kLineZ);

    // The mouse: the cursor on that spot, the button down, two counts to
    // the left and four towards the player per tap, the button up.
    Seat(kSideGreen);
    shotSeen = {};
    view.PointAt(2.0f, kLineZ);
    FrameInput press;
    press.leftButton = true;
    Frame({}, press);
    for (int i = 0; i < 5; ++i) {
        FrameInput move = press;
        move.dx = -2;
        Frame({}, move);
        Frame({}, press);
    }
    for (int i = 0; i < 6; ++i) {
        FrameInput move = press;
        move.dy = 4;
        Frame({}, move);
        Frame({}, press);
    }
    Frame({});
    RunCueIn();
    ASSERT_EQ(shotSeen.count, 1);
    EXPECT_EQ(shotSeen, byKeys) << "force " << shotSeen.force << " vs " << byKeys.force
                                << ", angle " << shotSeen.angle << " vs " << byKeys.angle;
}

TEST_F(KeyAimTest, EachSeatsLeftKeyMovesAndSwingsTheCueToItsOwnLeft) {
    for (int side : {kSideGreen, kSideRed}) {
        Seat(side);
        shotSeen = {};
        Tap(kAimKeyPlaceLeft, 2);
        Tap(kAimKeyRight);  // the arrows place too: one step back
        EXPECT_EQ(g.aim.aimX, side == kSideRed ? -kKeyStrikerStep : kKeyStrikerStep) << side;
        EXPECT_EQ(g.aim.aimZ, side == kSideRed ? -kLineZ : kLineZ);
        Tap(kAimKeyDown);  // takes the cue
        Tap(kAimKeyLeft, 3);
        Tap(kAimKeyDown, 10);
        Tap(kAimKeyShoot);
        RunCueIn();
        ASSERT_EQ(shotSeen.count, 1) << side;
        EXPECT_NEAR(shotSeen.angle, 3 * kKeyAngleStep, 1e-4f);
        EXPECT_NEAR(shotSeen.force, 10 * kKeyForceStep, 1e-4f);
        // The cue swung to the left sends the striker off to the shooter's
        // right, as the mouse does: -x for green, +x for red.
        g.currentPlayer = side;
        ASSERT_TRUE(FireShot(g, shotSeen.x, shotSeen.z, shotSeen.force, shotSeen.angle));
        EXPECT_EQ(g.discs[kStriker].vx < 0, side == kSideGreen) << side;
    }
}

TEST_F(KeyAimTest, AHeldKeyRepeatsSmoothlyAndShiftTakesTenthSteps) {
    Tap(kAimKeyShoot);
    ASSERT_EQ(g.aim.aimPhase, kAimHolding);
    // Ten frames of 0.07 s: the tap, then held from the second frame on
    // (0.63 s), nothing until the repeat delay, then the repeat rate.
    FrameInput tenth;
    tenth.frameSeconds = 0.07f;
    for (int i = 0; i < 10; ++i) Frame({kAimKeyRight}, tenth);
    EXPECT_NEAR(g.aim.aimAngle, -(1 + (0.63f - kKeyRepeatDelay) * kKeyRepeatRate) * kKeyAngleStep,
                1e-3f);
    Frame({}, tenth);
    const float before = g.aim.aimAngle;
    Tap(kAimKeyLeft, 3, true);
    EXPECT_NEAR(g.aim.aimAngle - before, 3 * kKeyAngleStep * kKeyFineFactor, 1e-4f);
    // Held long enough, the force stops at its limit.
    FrameInput second;
    second.frameSeconds = 1.0f;
    for (int i = 0; i < 4; ++i) Frame({kAimKeyDown}, second);
    EXPECT_EQ(g.aim.aimForce, 10.0f);
}

// A slow frame (a busy machine) passes before the frame that first sees a
// tap; the key went down at the end of it, so the tap moves one step and
// does not repeat.
TEST_F(KeyAimTest, ATapFirstSeenAfterASlowFrameMovesOneStepOnly) {
    Tap(kAimKeyShoot);
    ASSERT_EQ(g.aim.aimPhase, kAimHolding);
    FrameInput slow;
    slow.frameSeconds = 0.8f;
    Frame({kAimKeyRight}, slow);
    Frame({}, slow);
    EXPECT_NEAR(g.aim.aimAngle, -kKeyAngleStep, 1e-5f);
}

// Taps as the keyboard's events report them: several in one frame, and
// ones so short that no frame saw the key down.
TEST_F(KeyAimTest, EveryTapCountsOnceHoweverManyFallInOneFrame) {
    const auto tapped = [](AimKey key, int presses, float seconds) {
        FrameInput in;
        in.frameSeconds = seconds;
        in.keys.presses[key] = presses;
        return in;
    };
    RunGameFrame(g, tapped(kAimKeyShoot, 1, kFrame), &view);
    Frame({});
    ASSERT_EQ(g.aim.aimPhase, kAimHolding);
    // Six taps at 60 frames a second, then six at 15, four of them in one frame.
    for (int i = 0; i < 6; ++i) RunGameFrame(g, tapped(kAimKeyLeft, 1, kFrame), &view);
    const float sixTaps = g.aim.aimAngle;
    EXPECT_NEAR(sixTaps, 6 * kKeyAngleStep, 1e-4f);
    RunGameFrame(g, tapped(kAimKeyLeft, 4, 4 * kFrame), &view);
    RunGameFrame(g, tapped(kAimKeyLeft, 2, 4 * kFrame), &view);
    EXPECT_NEAR(g.aim.aimAngle, 2 * sixTaps, 1e-4f);

    // Space twice in one frame: the cue is taken, and let go on the next.
    Frame({});
    RunGameFrame(g, tapped(kAimKeyDown, 30, kFrame), &view);
    RunGameFrame(g, tapped(kAimKeyShoot, 1, kFrame), &view);
    RunCueIn();
    ASSERT_EQ(shotSeen.count, 1);
    RunGameFrame(g, tapped(kAimKeyShoot, 2, kFrame), &view);
    ASSERT_EQ(g.aim.aimPhase, kAimHolding);
    Frame({});
    EXPECT_NE(g.aim.aimPhase, kAimHolding) << "the second Space let the cue go";
    EXPECT_FALSE(g.keyAim.holding);
}

TEST_F(KeyAimTest, TheStrikerStaysInsideItsStripAndABlockedSpotRefusesTheCue) {
    FrameInput second;
    second.frameSeconds = 1.0f;
    for (int i = 0; i < 5; ++i) Frame({kAimKeyPlaceRight}, second);
    EXPECT_GT(g.aim.aimX, table::kShootingStripMinX);  // green's right is -x
    EXPECT_LT(g.aim.aimX, table::kShootingStripMinX + kKeyStrikerStep);
    EXPECT_EQ(g.aim.placementAlpha, 1.0f) << "the end of the strip is still a place";

    Put(g, 5, kColorGreen, g.aim.aimX, kLineZ);
    Tap(kAimKeyShoot);
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing);
    EXPECT_FALSE(g.keyAim.holding) << "a refused cue is not held on";
    Tap(kAimKeyPlaceLeft, 4);  // two units away, still within a disc's width
    Tap(kAimKeyShoot);
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing);
    Tap(kAimKeyPlaceLeft, 5);
    Tap(kAimKeyShoot);
    EXPECT_EQ(g.aim.aimPhase, kAimHolding);
}

TEST_F(KeyAimTest, UnusedKeysLeaveTheMouseAloneAndTheMouseTakesTheStrikerBack) {
    view.PointOff();
    Frame({});
    EXPECT_EQ(g.aim.placementAlpha, 0.5f) << "no striker without the cursor or the keys";
    view.PointAt(5.0f, 21.0f);
    Frame({});
    EXPECT_EQ(g.aim.aimX, 5.0f);
    Tap(kAimKeyLeft);
    EXPECT_EQ(g.aim.aimX, 5.5f) << "the keys start from where the striker was";
    EXPECT_EQ(g.aim.aimZ, kLineZ);
    Frame({});
    EXPECT_EQ(g.aim.aimX, 5.5f) << "a still mouse leaves the keys' striker";
    FrameInput moved;
    moved.dx = 1;
    Frame({}, moved);
    EXPECT_EQ(g.aim.aimX, 5.0f);
    EXPECT_EQ(g.aim.aimZ, 21.0f);
}

TEST_F(KeyAimTest, AKeyAimIsDroppedOnLostFocusAndCancelledWithTheCueAtTheStriker) {
    Tap(kAimKeyShoot);
    Tap(kAimKeyDown, 5);
    SetFocus(g, false);
    Frame({});
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing);
    EXPECT_FALSE(g.keyAim.holding);
    Tap(kAimKeyShoot);
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing) << "no keys without the focus";
    g.hasFocus = 1;
    Tap(kAimKeyShoot);
    Tap(kAimKeyDown, 5);
    Tap(kAimKeyUp, 20);  // the force left from the dropped aim too
    EXPECT_EQ(g.aim.aimForce, 0.0f);
    Tap(kAimKeyShoot);
    RunCueIn();
    EXPECT_EQ(shotSeen.count, 0) << "the cue brought up to the striker cancels";
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing);
}

// A frame with the stick pushed and, once, the shoot button.
FrameInput Stick(float x, float y, bool shoot = false, float seconds = kFrame) {
    FrameInput in;
    in.frameSeconds = seconds;
    in.pad = AimPad{x, y, shoot};
    return in;
}

TEST_F(KeyAimTest, TheStickAndItsButtonShootWhatTheSameKeysShoot) {
    ShootByKeys();
    ASSERT_EQ(shotSeen.count, 1);
    const ShotSeen byKeys = shotSeen;

    // The stick pushed all the way steps at the keys' repeat rate: a fifth
    // of a second is four steps.
    Seat(kSideGreen);
    shotSeen = {};
    const float fifth = 4.0f / kKeyRepeatRate;
    Frame({}, Stick(-1, 0, false, fifth));
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing) << "the stick alone does not take the cue";
    Frame({}, Stick(0, 0, true));
    ASSERT_EQ(g.aim.aimPhase, kAimHolding);
    Frame({}, Stick(-1, 0, false, 5.0f / kKeyRepeatRate));
    Frame({}, Stick(0, 1, false, 6.0f / kKeyRepeatRate));
    Frame({}, Stick(0, 0, true));
    RunCueIn();
    ASSERT_EQ(shotSeen.count, 1);
    // The same values, but for the aim's grid: the keys' steps are put on
    // it one by one, the stick's at once.
    EXPECT_EQ(shotSeen.x, byKeys.x);
    EXPECT_EQ(shotSeen.z, byKeys.z);
    EXPECT_NEAR(shotSeen.force, byKeys.force, 1e-4f);
    EXPECT_NEAR(shotSeen.angle, byKeys.angle, 1e-4f);
}

TEST_F(KeyAimTest, AStickPushedHalfWayIsSlowerByTheSquareOfItsTravelPastRest) {
    Frame({}, Stick(0, 0, true));
    ASSERT_EQ(g.aim.aimPhase, kAimHolding);
    const float half = kPadDeadZone + (1 - kPadDeadZone) / 2;
    Frame({}, Stick(half, 0, false, 1.0f));
    EXPECT_NEAR(g.aim.aimAngle, -kKeyRepeatRate / 4 * kKeyAngleStep, 1e-3f) << "right turns right";
    Frame({}, Stick(0, -half, false, 1.0f));
    EXPECT_EQ(g.aim.aimForce, 0.0f) << "pushed away takes force off, down to none";
    Frame({}, Stick(0, half, false, 1.0f));
    EXPECT_NEAR(g.aim.aimForce, kKeyRepeatRate / 4 * kKeyForceStep, 1e-3f);
}

TEST_F(KeyAimTest, AStickRestingOffItsMiddleMovesNothing) {
    view.PointAt(5.0f, 21.0f);
    // Worn sticks rest a little off centre; a whole minute of it.
    const float rest = kPadDeadZone * 0.96f;
    for (int i = 0; i < 60; ++i) Frame({}, Stick(rest, -rest, false, 1.0f));
    EXPECT_FALSE(g.keyAim.steering) << "a resting stick does not take the striker";
    EXPECT_EQ(g.aim.aimX, 5.0f);
    EXPECT_EQ(g.aim.aimZ, 21.0f);

    Frame({}, Stick(rest, rest, true));
    ASSERT_EQ(g.aim.aimPhase, kAimHolding);
    Frame({}, Stick(0, 1, false, 0.25f));
    const AimState held = g.aim;
    for (int i = 0; i < 60; ++i) Frame({}, Stick(-rest, rest, false, 1.0f));
    EXPECT_EQ(g.aim.aimAngle, held.aimAngle);
    EXPECT_EQ(g.aim.aimForce, held.aimForce);
    EXPECT_EQ(g.aim.aimX, 5.0f);
    EXPECT_EQ(g.aim.aimPhase, kAimHolding);
}

}  // namespace
