// SDL serves the library as a set of devices (audio, joystick), never as the
// program's framework: it must not take over the process's signals, or Ctrl-C
// of the whole program would be swallowed by SDL's quit event, which nobody
// here reads. Every SDL start in the library goes through these two calls.
#pragma once

#include <cstdint>

// Starts one SDL subsystem (SDL_INIT_AUDIO, SDL_INIT_JOYSTICK, ...) with
// SDL's signal handlers left out; false with SDL's reason left in
// SDL_GetError when it cannot.
bool StartSdlSubsystem(uint32_t subsystem);
void StopSdlSubsystem(uint32_t subsystem);
