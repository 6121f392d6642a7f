#include "game/game_log.h"

#include <cstdio>

void LogGameWarning(const char* text) { std::fprintf(stderr, "AVISO: %s\n", text); }
