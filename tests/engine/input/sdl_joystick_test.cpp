// The system's joystick through SDL, on SDL's virtual joystick: its axes on
// the engine's scale, its buttons, and a stick plugged in, pulled out and
// plugged in again while the game runs.
#include "platform/input/sdl_joystick.h"

#include <gtest/gtest.h>

#include "tools/scene_driver/virtual_gamepad.h"

namespace {

#define REQUIRE_VIRTUAL_PAD(pad) \
    if (!(pad).Usable()) GTEST_SKIP() << "SDL's joystick does not start, or a real stick is attached"

TEST(SdlJoystickTest, AStickPluggedInAfterTheStartIsReadAndAPulledOutOneReadsNothing) {
    VirtualGamepad pad;
    REQUIRE_VIRTUAL_PAD(pad);
    input::SdlJoystick joystick;
    EXPECT_FALSE(joystick.Open()) << "nothing attached yet";
    input::JoystickSample sample;
    EXPECT_FALSE(joystick.Read(sample));

    ASSERT_TRUE(pad.Plug());
    pad.Stick(-32768, 16384);
    pad.Button(0, true);
    pad.Button(15, true);
    ASSERT_TRUE(joystick.Read(sample));
    EXPECT_EQ(sample.x, -1000);
    EXPECT_EQ(sample.y, 500);
    EXPECT_TRUE(sample.buttons[0]);
    EXPECT_FALSE(sample.buttons[1]);
    EXPECT_TRUE(sample.buttons[15]);

    pad.Unplug();
    EXPECT_FALSE(joystick.Read(sample));
    ASSERT_TRUE(pad.Plug());
    pad.Stick(32767, 0);
    ASSERT_TRUE(joystick.Read(sample)) << "plugged in again";
    EXPECT_EQ(sample.x, 1000);
    EXPECT_EQ(sample.y, 0);
    EXPECT_FALSE(sample.buttons[0]) << "a new stick starts with its buttons up";
}

}  // namespace
