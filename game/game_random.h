// The game's one random generator, shared by the layout, the music choice,
// the fireworks and the hints. Both machines of a match seed it alike, so the
// colours of the discs come out the same everywhere.
#pragma once

#include <cstdint>

void SeedGameRandom(uint32_t seed);
int GameRandom();  // 0..32767

// A generator of the same kind with a state of its own, for a sequence that
// must come out the same whatever the shared generator has been through.
class RandomSequence {
public:
    explicit RandomSequence(uint32_t seed) : state_(seed) {}
    int Next();  // 0..32767
    uint32_t state() const { return state_; }

private:
    uint32_t state_;
};
