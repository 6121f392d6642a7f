// A practice level played with a gamepad alone: SDL's virtual joystick,
// plugged in after the level has started, read by the system's joystick
// code and the input module, its stick and button turned into the frame's
// input as the scene does it, and no keyboard or pointer at all. The
// computer player's search picks each shot; the stick is pushed as far as
// it takes to get there.
#include <cmath>
#include <functional>
#include <optional>

#include "engine/services/vex_input.h"
#include "game/frame.h"
#include "game/key_aim.h"
#include "platform/input/sdl_joystick.h"
#include "scene/frame_input.h"
#include "scene/input_codes.h"
#include "tools/scene_driver/virtual_gamepad.h"
#include "tests/game/practice_plan.h"
#include "tests/game/scratch_folder.h"
#include "vexlib/exports.h"

namespace {

// The system's joystick and nothing else: no keys, no pointer.
class GamepadOnly final : public input::InputDevices {
public:
    bool Open(unsigned long) override { return true; }
    bool OpenJoystick() override { return joystick_.Open(); }
    bool HasFocus() override { return true; }
    bool ReadKeys(uint8_t[input::kKeyCount], uint8_t[input::kKeyCount]) override { return false; }
    bool ReadPointer(input::PointerSample&) override { return false; }
    bool WarpPointer(int32_t, int32_t, input::PointerSample&) override { return false; }
    bool ReadJoystick(input::JoystickSample& sample) override { return joystick_.Read(sample); }
    void Close() override { joystick_.Close(); }

private:
    input::SdlJoystick joystick_;
};

constexpr float kFrame = 1.0f / 60.0f;
// The key steps a stick pushed all the way gives in one frame.
constexpr float kFullPushSteps = kKeyRepeatRate * kFrame;

class PadPracticeTest : public PracticeLevelTest {
protected:
    // One drawn frame's input: the devices read, the pad's part taken.
    void Frame() {
        input.UpdateInput(1, 1);
        FrameInput in;
        in.frameSeconds = kFrame;
        ReadAimPad(input, in.pad);
        RunGameFrame(Game(), in, nullptr);
    }
    void Press(int button) {
        pad.Button(button, true);
        Frame();
        pad.Button(button, false);
        Frame();
    }
    // Pushes the stick along one axis until value() reaches target: all the
    // way while far, then as far as the last bit takes, then lets it go.
    // raising: the sign of the push that raises the value.
    void Steer(const std::function<float()>& value, float target, float step, bool alongX,
               float raising) {
        for (int frame = 0; frame < 600; ++frame) {
            const float remaining = target - value();
            const float steps = std::fabs(remaining) / step;
            if (steps < 0.05f) break;
            const float push =
                steps >= kFullPushSteps
                    ? 1.0f
                    : kPadDeadZone + (1 - kPadDeadZone) * std::sqrt(steps / kFullPushSteps);
            const auto axis = int16_t(std::lround(
                std::copysign(std::min(push, 1.0f), remaining * raising) * 32767.0f));
            alongX ? pad.Stick(axis, 0) : pad.Stick(0, axis);
            Frame();
        }
        pad.Stick(0, 0);
        Frame();
    }

    ScratchFolder folder{"pad_practice"};
    VirtualGamepad pad;
    VEX_Input input{std::make_unique<GamepadOnly>()};
};

}  // namespace

TEST_F(PadPracticeTest, LevelOneIsClearedWithAGamepadPluggedInAfterTheStart) {
    if (!pad.Usable()) GTEST_SKIP() << "SDL's joystick does not start, or a real stick is attached";
    IniciaOffline("pad");
    GameState& g = Game();
    g.hasFocus = 1;
    ASSERT_TRUE(input.StartInput(1));
    EXPECT_FALSE(input.JoystickPresent());
    for (int i = 0; i < 10; ++i) Frame();

    // Plugged in with its stick resting a little off the middle: the aim
    // does not stir, however long it rests.
    ASSERT_TRUE(pad.Plug());
    pad.Stick(7000, -7500);
    const AimState before = g.aim;
    for (int i = 0; i < 300; ++i) Frame();
    ASSERT_TRUE(input.JoystickPresent());
    EXPECT_FALSE(g.keyAim.steering);
    EXPECT_EQ(g.aim.aimX, before.aimX);
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing);

    ClearTheLevel(
        [&](const ai::Shot& plan) {
            // A nudge takes the striker over; for the green seat the screen's
            // left is +x, and the stick's left is the screen's.
            pad.Stick(-32768, 0);
            Frame();
            ASSERT_TRUE(g.keyAim.steering);
            Steer([&] { return g.keyAim.x; }, plan.x, kKeyStrikerStep, true, -1);
            Press(kPadShootButton);
            ASSERT_EQ(g.aim.aimPhase, kAimHolding);
            Steer([&] { return g.aim.aimAngle; }, plan.angle, kKeyAngleStep, true, -1);
            Steer([&] { return g.aim.aimForce; }, plan.force, kKeyForceStep, false, 1);
            // Resting, the stick leaves the aim as it is.
            pad.Stick(-6000, 6000);
            const AimState aimed = g.aim;
            for (int i = 0; i < 60; ++i) Frame();
            EXPECT_EQ(g.aim.aimAngle, aimed.aimAngle);
            EXPECT_EQ(g.aim.aimForce, aimed.aimForce);
            Press(kPadShootButton);
        },
        [&] { Frame(); });
}
