// The first joystick, through SDL2's joystick subsystem alone: polled with
// SDL_JoystickUpdate, never through SDL's event queue.
#pragma once

#include "platform/input/input_devices.h"

typedef struct _SDL_Joystick SDL_Joystick;

namespace input {

class SdlJoystick {
public:
    SdlJoystick() = default;
    ~SdlJoystick();
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    // Starts the subsystem and opens the first stick that opens.
    bool Open();
    // A stick that was pulled out is looked for once per call.
    bool Read(JoystickSample& sample);
    void Close();

private:
    bool OpenFirst();

    bool started_ = false;
    SDL_Joystick* stick_ = nullptr;
};

// SDL's axis range -32768..32767 on the engine's -1000..+1000, so that both
// ends reach the limits exactly.
int32_t ScaleAxis(int16_t value);

}  // namespace input
