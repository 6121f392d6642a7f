#include "platform/sdl_subsystem.h"

#include <SDL2/SDL.h>

bool StartSdlSubsystem(uint32_t subsystem) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(subsystem) == 0;
}

void StopSdlSubsystem(uint32_t subsystem) {
    SDL_QuitSubSystem(subsystem);
}
