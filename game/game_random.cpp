#include "game/game_random.h"

namespace {
uint32_t randomState = 1;
}

void SeedGameRandom(uint32_t seed) {
    randomState = seed;
}

int GameRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFF);
}
