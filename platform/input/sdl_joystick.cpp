#include "platform/input/sdl_joystick.h"

#include <SDL2/SDL.h>

#include <algorithm>

#include "platform/sdl_subsystem.h"

namespace input {

int32_t ScaleAxis(int16_t value) {
    return std::clamp(int32_t(value) * kAxisLimit / 32767, -kAxisLimit, kAxisLimit);
}

SdlJoystick::~SdlJoystick() {
    Close();
}

bool SdlJoystick::Open() {
    Close();
    if (!StartSdlSubsystem(SDL_INIT_JOYSTICK)) return false;
    started_ = true;
    return OpenFirst();
}

bool SdlJoystick::OpenFirst() {
    for (int i = 0; i < SDL_NumJoysticks() && !stick_; ++i) stick_ = SDL_JoystickOpen(i);
    return stick_ != nullptr;
}

bool SdlJoystick::Read(JoystickSample& sample) {
    if (!started_) return false;
    SDL_JoystickUpdate();
    if (stick_ && !SDL_JoystickGetAttached(stick_)) {
        SDL_JoystickClose(stick_);
        stick_ = nullptr;
    }
    if (!stick_ && !OpenFirst()) return false;
    sample.x = ScaleAxis(SDL_JoystickGetAxis(stick_, 0));
    sample.y = ScaleAxis(SDL_JoystickGetAxis(stick_, 1));
    const int buttons = SDL_JoystickNumButtons(stick_);
    for (int b = 0; b < kJoystickButtons; ++b)
        sample.buttons[b] = b < buttons && SDL_JoystickGetButton(stick_, b) != 0;
    return true;
}

void SdlJoystick::Close() {
    if (stick_) SDL_JoystickClose(stick_);
    stick_ = nullptr;
    if (started_) StopSdlSubsystem(SDL_INIT_JOYSTICK);
    started_ = false;
}

}  // namespace input
