#include "game/game_random.h"

namespace {
RandomSequence shared(1);
RandomSequence show(1);
}  // namespace

int RandomSequence::Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
}

void SeedGameRandom(uint32_t seed) {
    shared = RandomSequence(seed);
}

int GameRandom() {
    return shared.Next();
}

void SeedShowRandom(uint32_t seed) {
    show = RandomSequence(seed);
}

int ShowRandom() {
    return show.Next();
}
