#include "scene/frame_input.h"

#include "game/table_geometry.h"
#include "scene/input_codes.h"

using namespace gfx;

namespace {
// A square far larger than the table on its plane: any point of the table
// maps inside it.
constexpr float kReach = 100.0f;

void ReadAimKeys(const VEX_Input& input, AimKeys& keys) {
    constexpr uint8_t kCodes[kAimKeyCount] = {kKeyLeft, kKeyRight, kKeyUp,   kKeyDown,
                                              kKeyA,    kKeyD,     kKeySpace};
    for (int key = 0; key < kAimKeyCount; ++key) {
        keys.down[key] = input.KeyDown(kCodes[key]);
        keys.presses[key] = input.KeyPresses(kCodes[key]);
    }
}
}  // namespace

void ReadAimPad(const VEX_Input& input, AimPad& pad) {
    pad.x = float(input.JoystickX()) / float(input::kAxisLimit);
    pad.y = float(input.JoystickY()) / float(input::kAxisLimit);
    pad.shootPressed = input.JoystickButtonPressed(kPadShootButton);
}

bool PickTablePoint(const Scene& scene, float& x, float& z) {
    const VEX_Input& input = Input();
    const int cx = input.CursorX(), cy = input.CursorY();
    if (cx < 0 || cy < 0 || cx >= scene.width || cy >= scene.height) return false;
    VEX_Direct3D& d3d = Direct3D();
    d3d.ComputePickRay(uint16_t(cx), uint16_t(cy), Camera().matrix());
    const float y = table::kSurfaceY;
    float distance = 0;
    return d3d.MapOntoQuad({-kReach, y, -kReach}, {-kReach, y, kReach}, {kReach, y, -kReach},
                           {kReach, y, kReach}, x, z, distance);
}

FrameInput ReadFrameInput(float frameSeconds) {
    const VEX_Input& input = Input();
    FrameInput in;
    in.leftButton = input.MouseDown(kMouseLeft);
    in.rightButton = input.MouseDown(kMouseRight);
    in.middleButton = input.MouseDown(kMouseMiddle);
    in.shiftHeld = input.KeyDown(kKeyLeftShift) || input.KeyDown(kKeyRightShift);
    in.pausePressed = input.KeyPressed(kKeyP);
    in.dx = input.MouseMoveX();
    in.dy = input.MouseMoveY();
    int32_t screenX = 0, screenY = 0;
    if (input.ScreenCursor(screenX, screenY)) in.cursorX = screenX, in.cursorY = screenY;
    in.frameSeconds = frameSeconds;
    ReadAimKeys(input, in.keys);
    ReadAimPad(input, in.pad);
    return in;
}
