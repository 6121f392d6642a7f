// The input module's rules on scripted devices: the edge rule, what a failed
// or skipped read reports, movement banked across the cursor pin, the
// joystick's exact ends, and the start line.
#include "engine/services/vex_input.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/base/log_tail.h"
#include "tests/engine/input/fake_input_devices.h"

namespace {

constexpr uint8_t kKeyP = 25;
constexpr uint8_t kLeftShift = 42;

class InputTest : public testing::Test {
protected:
    void SetUp() override {
        state.pointer.screenX = 500;
        state.pointer.screenY = 400;
        state.pointer.clientX = 100;
        state.pointer.clientY = 80;
    }

    // The module is made on demand so a test can set up the devices first.
    VEX_Input& Started() {
        input = std::make_unique<VEX_Input>(std::make_unique<FakeInputDevices>(state));
        EXPECT_TRUE(input->StartInput(1));
        return *input;
    }

    void Update() { input->UpdateInput(1.0f, 1.0f); }

    void MovePointer(int dx, int dy) {
        state.pointer.screenX += dx;
        state.pointer.screenY += dy;
        state.pointer.clientX += dx;
        state.pointer.clientY += dy;
    }

    FakeDeviceState state;
    std::unique_ptr<VEX_Input> input;
};

// Taps the keyboard reported between two reads: the pause key sees a tap
// as the edge rule sees a press, and the count keeps every tap, also the
// one right after another, which the edge rule does not see.
TEST_F(InputTest, TapsBetweenReadsAreCountedAndSeenDown) {
    VEX_Input& in = Started();
    state.presses[kKeyP] = 1;
    Update();
    EXPECT_EQ(in.KeyPresses(kKeyP), 1);
    EXPECT_TRUE(in.KeyDown(kKeyP));
    EXPECT_TRUE(in.KeyPressed(kKeyP));
    state.presses[kKeyP] = 2;
    Update();
    EXPECT_EQ(in.KeyPresses(kKeyP), 2);
    EXPECT_FALSE(in.KeyPressed(kKeyP)) << "the update that clears pressed records nothing";
    Update();
    EXPECT_EQ(in.KeyPresses(kKeyP), 0);
    EXPECT_FALSE(in.KeyDown(kKeyP));
    // Read without the focus, the taps were another window's.
    state.presses[kKeyP] = 1;
    state.focused = false;
    Update();
    EXPECT_EQ(in.KeyPresses(kKeyP), 0);
    EXPECT_FALSE(in.KeyDown(kKeyP));
}

TEST_F(InputTest, AKeyHeldForThreeUpdatesIsPressedInTheFirstOnly) {
    VEX_Input& in = Started();
    state.keys[kKeyP] = 0x80;
    Update();
    EXPECT_TRUE(in.KeyDown(kKeyP));
    EXPECT_TRUE(in.KeyPressed(kKeyP));
    Update();
    EXPECT_TRUE(in.KeyDown(kKeyP));
    EXPECT_FALSE(in.KeyPressed(kKeyP));
    Update();
    EXPECT_FALSE(in.KeyPressed(kKeyP));
    state.keys[kKeyP] = 0;
    Update();
    EXPECT_FALSE(in.KeyDown(kKeyP));
    state.keys[kKeyP] = 0x80;
    Update();
    EXPECT_TRUE(in.KeyPressed(kKeyP)) << "a new press after a release counts again";
}

TEST_F(InputTest, AReleaseInTheUpdateThatClearsPressedIsNotSeen) {
    VEX_Input& in = Started();
    state.pointer.buttons[0] = true;
    Update();
    EXPECT_TRUE(in.MousePressed(0));
    state.pointer.buttons[0] = false;
    Update();  // clears pressed, keeps "previous" at down
    EXPECT_FALSE(in.MouseDown(0));
    EXPECT_FALSE(in.MousePressed(0));
    state.pointer.buttons[0] = true;
    Update();
    EXPECT_TRUE(in.MouseDown(0));
    EXPECT_FALSE(in.MousePressed(0)) << "the quick second press is not a new press";
}

TEST_F(InputTest, OnlyTheBitSevenOfAKeyByteMeansDown) {
    VEX_Input& in = Started();
    state.keys[kLeftShift] = 0x7F;
    state.keys[54] = 0x81;
    Update();
    EXPECT_FALSE(in.KeyDown(kLeftShift));
    EXPECT_TRUE(in.KeyDown(54));
}

// The aim follows the pointer's travel: the same hand movement must give
// the same counts, and so the same force and angle, whatever size the
// panel is drawn at; only the cursor's place in the 2D view scales.
TEST_F(InputTest, PointerTravelCountsTheSameAtEverySizeOfTheScreen) {
    VEX_Input& in = Started();
    for (const float ratio : {1.0f, 1.8f, 2.7f}) {
        SCOPED_TRACE(ratio);
        in.UpdateInput(ratio, ratio);
        MovePointer(17, -9);
        in.UpdateInput(ratio, ratio);
        EXPECT_EQ(in.MouseMoveX(), 17);
        EXPECT_EQ(in.MouseMoveY(), -9);
        EXPECT_EQ(in.CursorX(), state.pointer.clientX);
        EXPECT_EQ(in.VirtualCursorX(), int16_t(float(state.pointer.clientX) / ratio));
        EXPECT_EQ(in.VirtualCursorY(), int16_t(float(state.pointer.clientY) / ratio));
    }
}

TEST_F(InputTest, AFailedOrSkippedReadReportsEverythingUpAndNoMovement) {
    VEX_Input& in = Started();
    state.keys[kLeftShift] = 0x80;
    state.pointer.buttons[1] = true;
    Update();
    MovePointer(5, 0);
    Update();
    ASSERT_TRUE(in.KeyDown(kLeftShift));
    ASSERT_TRUE(in.MouseDown(1));
    ASSERT_EQ(in.MouseMoveX(), 5);

    state.keysReadable = false;
    state.pointerReadable = false;
    MovePointer(7, 7);
    Update();
    EXPECT_FALSE(in.KeyDown(kLeftShift)) << "a key must not stick down after a failed read";
    EXPECT_FALSE(in.MouseDown(1));
    EXPECT_EQ(in.MouseMoveX(), 0);
    EXPECT_EQ(in.MouseMoveY(), 0);

    // Back to readable but another window has the focus: the same.
    state.keysReadable = state.pointerReadable = true;
    state.focused = false;
    Update();
    EXPECT_FALSE(in.KeyDown(kLeftShift));
    EXPECT_FALSE(in.MouseDown(1));

    // The travel made while away is not counted when the focus returns.
    MovePointer(30, 30);
    state.focused = true;
    Update();
    EXPECT_EQ(in.MouseMoveX(), 0);
    EXPECT_TRUE(in.KeyPressed(kLeftShift)) << "held through the absence, it reads as a new press";
    MovePointer(-4, 2);
    Update();
    EXPECT_EQ(in.MouseMoveX(), -4);
    EXPECT_EQ(in.MouseMoveY(), 2);
}

TEST_F(InputTest, MouseButtonsOutsideTheFourReadUp) {
    VEX_Input& in = Started();
    for (bool& b : state.pointer.buttons) b = true;
    Update();
    for (int b = 0; b < 4; ++b) EXPECT_TRUE(in.MouseDown(b)) << b;
    for (int b : {-1, 4, 5, 255, 100000}) {
        EXPECT_FALSE(in.MouseDown(b)) << b;
        EXPECT_FALSE(in.MousePressed(b)) << b;
    }
}

TEST_F(InputTest, MovementMadeBeforeTheCursorPinIsKept) {
    VEX_Input& in = Started();
    Update();
    int32_t pinX = 0, pinY = 0;
    ASSERT_TRUE(in.ScreenCursor(pinX, pinY));
    EXPECT_EQ(pinX, 500);
    EXPECT_EQ(pinY, 400);

    // The player moves, the aim asks for the pin, the player moves on before
    // the frame reads: all of it is counted, and the frame sees the pin.
    MovePointer(9, -3);
    in.PinCursor(pinX, pinY);
    MovePointer(2, 1);
    Update();
    EXPECT_EQ(in.MouseMoveX(), 11);
    EXPECT_EQ(in.MouseMoveY(), -2);
    EXPECT_EQ(state.pointer.screenX, 500);
    EXPECT_EQ(state.pointer.screenY, 400);
    EXPECT_EQ(in.CursorX(), 100);
    EXPECT_EQ(in.CursorY(), 80);
    // Nothing is counted twice, and the pin holds for one read only.
    MovePointer(4, 4);
    Update();
    EXPECT_EQ(in.MouseMoveX(), 4);
    EXPECT_EQ(in.MouseMoveY(), 4);
    EXPECT_EQ(state.warps, 1);
    Update();
    EXPECT_EQ(in.MouseMoveX(), 0);
    EXPECT_EQ(in.MouseMoveY(), 0);
}

TEST_F(InputTest, ThePointerIsNotMovedWhileAnotherWindowHasTheFocus) {
    VEX_Input& in = Started();
    Update();
    state.focused = false;
    in.PinCursor(10, 10);
    Update();
    EXPECT_EQ(state.warps, 0);
    EXPECT_EQ(state.pointer.screenX, 500);
    // The pin went with that read; it does not wait for the focus.
    state.focused = true;
    Update();
    EXPECT_EQ(state.warps, 0);
}

TEST_F(InputTest, TheVirtualCursorIsTheCursorDividedByTheRatioTruncated) {
    VEX_Input& in = Started();
    state.pointer.clientX = 101;
    state.pointer.clientY = 79;
    in.UpdateInput(1.0f, 1.0f);
    EXPECT_EQ(in.VirtualCursorX(), in.CursorX());
    EXPECT_EQ(in.VirtualCursorY(), in.CursorY());
    in.UpdateInput(2.0f, 0.5f);
    EXPECT_EQ(in.CursorX(), 101);
    EXPECT_EQ(in.VirtualCursorX(), 50);
    EXPECT_EQ(in.VirtualCursorY(), 158);
    in.UpdateInput(0.0f, -1.0f);  // no device yet: left as it is
    EXPECT_EQ(in.VirtualCursorX(), 101);
    EXPECT_EQ(in.VirtualCursorY(), 79);
}

TEST_F(InputTest, OnlyTheVeryEndsOfAJoystickAxisAreDirections) {
    state.joystickAttached = true;
    VEX_Input& in = Started();
    ASSERT_TRUE(in.JoystickPresent());
    state.stick.x = -999;
    state.stick.y = 1000;
    Update();
    EXPECT_FALSE(in.JoystickDown(kJoystickLeft));
    EXPECT_TRUE(in.JoystickDown(kJoystickDown));
    EXPECT_FALSE(in.JoystickDown(kJoystickUp));
    state.stick.x = -1000;
    Update();
    EXPECT_TRUE(in.JoystickDown(kJoystickLeft));
    EXPECT_TRUE(in.JoystickPressed(kJoystickLeft));
    EXPECT_FALSE(in.JoystickDown(kJoystickRight));
    state.stick.buttons[15] = true;
    Update();
    EXPECT_TRUE(in.JoystickButtonPressed(15));
    EXPECT_FALSE(in.JoystickButtonDown(16));
    EXPECT_FALSE(in.JoystickButtonDown(-1));
}

TEST_F(InputTest, APulledOutStickIsTriedOncePerUpdateAndReadsUp) {
    state.joystickAttached = true;
    VEX_Input& in = Started();
    state.stick.x = 1000;
    state.stick.buttons[0] = true;
    Update();
    ASSERT_TRUE(in.JoystickDown(kJoystickRight));
    state.stickAnswers = false;
    const int before = state.joystickReads;
    Update();
    Update();
    EXPECT_EQ(state.joystickReads - before, 2);
    EXPECT_FALSE(in.JoystickDown(kJoystickRight));
    EXPECT_FALSE(in.JoystickButtonDown(0));
}

TEST_F(InputTest, AStickPluggedInAfterTheStartIsReadFromThenOn) {
    VEX_Input& in = Started();
    state.stick.x = 1000;
    state.stick.y = -400;
    state.stick.buttons[3] = true;
    Update();
    EXPECT_FALSE(in.JoystickPresent());
    EXPECT_FALSE(in.JoystickDown(kJoystickRight));
    EXPECT_EQ(in.JoystickX(), 0) << "no stick, no deflection";
    EXPECT_FALSE(in.JoystickButtonDown(3));
    state.joystickAttached = true;
    Update();
    EXPECT_TRUE(in.JoystickPresent());
    EXPECT_TRUE(in.JoystickDown(kJoystickRight));
    EXPECT_EQ(in.JoystickX(), 1000);
    EXPECT_EQ(in.JoystickY(), -400);
    EXPECT_TRUE(in.JoystickButtonPressed(3));
    state.joystickAttached = false;
    Update();
    EXPECT_FALSE(in.JoystickPresent());
    EXPECT_EQ(in.JoystickY(), 0) << "a stick pulled out rests";
    EXPECT_FALSE(in.JoystickButtonDown(3));
}

TEST_F(InputTest, TheStartLineNamesAJoystickOrTheFailure) {
    {
        LogTail log;
        state.joystickAttached = true;
        Started();
        EXPECT_TRUE(log.HasLine("Iniciando VEX_Input: Encontrado dispositivo de Joystick. Ok."));
    }
    {
        LogTail log;
        state.opens = false;
        input = std::make_unique<VEX_Input>(std::make_unique<FakeInputDevices>(state));
        EXPECT_FALSE(input->StartInput(1));
        EXPECT_TRUE(log.HasLine("Iniciando VEX_Input: Erro."));
        // A module that never started reads nothing and reports nothing.
        state.keys[kKeyP] = 0x80;
        Update();
        EXPECT_FALSE(input->KeyDown(kKeyP));
    }
    LogTail log;
    input.reset();
    EXPECT_TRUE(log.HasLine("Finalizando VEX_Input: Ok."));
}

}  // namespace
