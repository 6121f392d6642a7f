#include "game/game_log.h"

#include <cstdio>

#include "base/debug_log.h"

void LogGameWarning(const char* text) {
    if (Log().IsOpen()) {
        Log().WriteWarning("%s", text);
    } else {
        std::fprintf(stderr, "AVISO: %s\n", text);
    }
}
