// VEX_Input: the keyboard, the mouse and the first joystick, read once per
// drawn frame and turned into per-button flags (down, and pressed in this
// update), each key's presses since the last read (every tap, however
// short), the mouse's relative movement, and the cursor in the game
// window's and in the device's virtual 2D coordinates.
//
// A read that fails or is skipped (the game window does not have the focus,
// the window has gone, the stick was pulled out) reports every button up and
// no movement, so no key is left stuck down. The joystick is looked for on
// every update, so one plugged in while the game runs is read from then on.
//
// Movement is the pointer's travel since the last read. The aim pins the
// cursor back to where the button went down on every frame: PinCursor asks
// the next read to sample the pointer and put it back in one step, with no
// other client able to move it in between, so the travel up to the pin is
// all counted and the cursor the frame sees is the pinned one.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "base/memory_tracker.h"
#include "engine/services/button_edge.h"
#include "platform/input/input_devices.h"

enum JoystickDirection { kJoystickLeft = 0, kJoystickRight, kJoystickUp, kJoystickDown };

class VEX_Input : public TrackedObject {
public:
    // Reads the system's devices.
    VEX_Input();
    explicit VEX_Input(std::unique_ptr<input::InputDevices> devices);
    ~VEX_Input();
    VEX_Input(const VEX_Input&) = delete;
    VEX_Input& operator=(const VEX_Input&) = delete;

    // Opens the keyboard and the mouse of the game window and the first
    // joystick; false (and "Erro." in the log) without keyboard and mouse.
    bool StartInput(unsigned long window);
    // ratioX, ratioY: the device's real-to-virtual ratios.
    void UpdateInput(float ratioX, float ratioY);

    // A key tapped between two reads reads down for the second, and pressed
    // as the edge rule says.
    bool KeyDown(uint8_t code) const { return keys_[code].down; }
    bool KeyPressed(uint8_t code) const { return keys_[code].pressed; }
    // How many times the key went down since the last read, each tap once
    // however short: what a reader that must not lose a press counts (the
    // edge rule loses a press that follows another by one read).
    int KeyPresses(uint8_t code) const { return presses_[code]; }
    // Buttons 0 left, 1 right, 2 middle, 3 fourth; any other reads up.
    bool MouseDown(int button) const;
    bool MousePressed(int button) const;
    int16_t MouseMoveX() const { return moveX_; }
    int16_t MouseMoveY() const { return moveY_; }
    int16_t CursorX() const { return cursorX_; }
    int16_t CursorY() const { return cursorY_; }
    int16_t VirtualCursorX() const { return virtualX_; }
    int16_t VirtualCursorY() const { return virtualY_; }

    // The pointer on the screen at the last read; false when that read
    // found no pointer.
    bool ScreenCursor(int32_t& x, int32_t& y) const;
    // Has the next read put the pointer back at (x, y) on the screen as it
    // samples it; that read then reports the cursor there. A read without
    // the focus drops the pin: the pointer is then the player's, not ours.
    void PinCursor(int32_t x, int32_t y);

    // Whether the last update read a stick.
    bool JoystickPresent() const { return joystickPresent_; }
    // The stick's axes at the last update, -1000 (left, up) .. +1000.
    int32_t JoystickX() const { return stickX_; }
    int32_t JoystickY() const { return stickY_; }
    bool JoystickDown(JoystickDirection direction) const { return directions_[direction].down; }
    bool JoystickPressed(JoystickDirection direction) const {
        return directions_[direction].pressed;
    }
    // Buttons 0..15; any other reads up.
    bool JoystickButtonDown(int button) const;
    bool JoystickButtonPressed(int button) const;

private:
    void ReadKeyboardAndMouse(float ratioX, float ratioY);
    void ReadJoystick();
    // Adds the pointer's travel since the last sample to the bank and makes
    // sample the new base.
    void BankTravel(const input::PointerSample& sample);
    // Samples the pointer, through the pin when one is asked for.
    bool SamplePointer(input::PointerSample& sample);

    std::unique_ptr<input::InputDevices> devices_;
    bool started_ = false;
    bool joystickPresent_ = false;

    ButtonEdge keys_[input::kKeyCount];
    uint8_t presses_[input::kKeyCount] = {};
    ButtonEdge mouse_[input::kMouseButtons];
    ButtonEdge directions_[4];
    ButtonEdge joystickButtons_[input::kJoystickButtons];
    int32_t stickX_ = 0, stickY_ = 0;

    // The last pointer sample, the base of the next travel.
    bool haveBase_ = false;
    int32_t baseX_ = 0, baseY_ = 0;
    int32_t bankedX_ = 0, bankedY_ = 0;
    std::optional<std::pair<int32_t, int32_t>> pin_;

    int16_t moveX_ = 0, moveY_ = 0;
    int16_t cursorX_ = 0, cursorY_ = 0;
    int16_t virtualX_ = 0, virtualY_ = 0;
};
