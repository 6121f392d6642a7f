#include "platform/message_box.h"

#include <SDL2/SDL.h>

void ShowMessageBox(unsigned long, const char* text, const char* caption) {
    // SDL cannot parent the box to a foreign X window; it is modal to the
    // process, which is what the caller needs.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}
