// A gamepad without hardware: SDL's virtual joystick, attached and pulled
// out when a test says, with a stick's two axes and as many buttons as the
// engine reads. It lives in the process of the game library it feeds. It keeps the joystick subsystem up for its own life, so it
// may be plugged in before or after the game opens its joystick.
#pragma once

#include <SDL2/SDL.h>

class VirtualGamepad {
public:
    static constexpr int kButtons = 16;

    VirtualGamepad() {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        started_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    }
    ~VirtualGamepad() {
        Unplug();
        if (started_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    VirtualGamepad(const VirtualGamepad&) = delete;
    VirtualGamepad& operator=(const VirtualGamepad&) = delete;

    // Whether SDL answered and no real stick is attached: the game opens the
    // first stick it finds, which must then be this one.
    bool Usable() const { return started_ && SDL_NumJoysticks() == 0; }

    bool Plug() {
        if (!started_ || stick_) return false;
        const int index =
            SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, kButtons, 0);
        if (index < 0) return false;
        stick_ = SDL_JoystickOpen(index);
        return stick_ != nullptr;
    }
    void Unplug() {
        if (!stick_) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(stick_);
        SDL_JoystickClose(stick_);
        stick_ = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }

    // The stick in SDL's own range, -32768 (left, away) .. 32767.
    void Stick(int16_t x, int16_t y) {
        SDL_JoystickSetVirtualAxis(stick_, 0, x);
        SDL_JoystickSetVirtualAxis(stick_, 1, y);
    }
    void Button(int button, bool down) {
        SDL_JoystickSetVirtualButton(stick_, button, down ? SDL_PRESSED : SDL_RELEASED);
    }

private:
    bool started_ = false;
    SDL_Joystick* stick_ = nullptr;
};
