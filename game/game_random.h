// The game's random generators. The game's own one lays out the tables: both
// machines of a match seed it alike, so the colours of the discs come out the
// same everywhere, and a practice run seeds it once, so its last level comes
// out the same from the run's seed. The show's one picks what is only seen
// and heard (the hints, the fireworks, the song): drawn once per drawn frame,
// it would otherwise make the next table depend on how many frames were drawn
// on the way there.
#pragma once

#include <cstdint>

void SeedGameRandom(uint32_t seed);
int GameRandom();  // 0..32767

void SeedShowRandom(uint32_t seed);
int ShowRandom();  // 0..32767

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
