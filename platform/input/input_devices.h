// The devices the engine's input module reads once per frame, as one small
// interface: the keyboard and the mouse of the game window, and the first
// joystick. The system implementation asks X11 for the keymap and the
// pointer, counts key presses from the keyboard's events, and polls SDL2's
// joystick subsystem; tests hand the input module a scripted one instead.
//
// Everything here is already in the engine's terms: keys by DirectInput key
// code (X keycode - 8), mouse buttons 0 left, 1 right, 2 middle, 3 fourth,
// joystick axes scaled to -1000..+1000. Relative movement is not a device
// matter: the input module derives it from successive pointer positions,
// because it alone knows when it moved the pointer itself.
#pragma once

#include <cstdint>
#include <memory>

namespace input {

constexpr int kKeyCount = 256;
constexpr int kMouseButtons = 4;
constexpr int kJoystickButtons = 16;
constexpr int32_t kAxisLimit = 1000;

struct PointerSample {
    int32_t screenX = 0, screenY = 0;  // on the screen (root window)
    int32_t clientX = 0, clientY = 0;  // in the game window
    bool buttons[kMouseButtons] = {};
};

struct JoystickSample {
    int32_t x = 0, y = 0;  // -1000..+1000
    bool buttons[kJoystickButtons] = {};
};

class InputDevices {
public:
    virtual ~InputDevices() = default;

    // Keyboard and mouse of the given game window; false when there are none.
    virtual bool Open(unsigned long window) = 0;
    // Readies the joystick and opens the first one attached; false when
    // there is none yet (ReadJoystick still looks for one later).
    virtual bool OpenJoystick() = 0;

    // Whether the player is at the game window now. The keyboard and the
    // pointer are shared by every window on the screen, so they belong to
    // the game only while it has the focus.
    virtual bool HasFocus() = 0;
    // keys: 256 bytes, bit 7 set for a key held down now. presses: how many
    // times each key went down since the last read, a tap that began and
    // ended in between included; a key held through the read is not a new
    // press. False when the read failed.
    virtual bool ReadKeys(uint8_t keys[kKeyCount], uint8_t presses[kKeyCount]) = 0;
    virtual bool ReadPointer(PointerSample& sample) = 0;
    // Moves the pointer; before is where it was just before, read in the
    // same indivisible step, so a movement arriving between the read and
    // the move cannot be lost. False when it could not be read or moved.
    virtual bool WarpPointer(int32_t screenX, int32_t screenY, PointerSample& before) = 0;
    // False while no stick answers; a stick that was pulled out, or one
    // plugged in after the start, is looked for once per call, never in a
    // loop.
    virtual bool ReadJoystick(JoystickSample& sample) = 0;

    // Lets go of every device.
    virtual void Close() = 0;
};

// X11 for the keyboard and the mouse, SDL2 for the joystick.
std::unique_ptr<InputDevices> CreateSystemInputDevices();

}  // namespace input
