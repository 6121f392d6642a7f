// The game's random generator: the C runtime's linear congruential
// sequence, which every machine of a match computes alike. A table carries
// two of them (see GameState): its own, which lays out the discs, and the
// show's, which picks what is only seen and heard. Anything else that needs
// a sequence of its own (the intro's still life) makes one.
#pragma once

#include <cstdint>

class RandomSequence {
public:
    explicit RandomSequence(uint32_t seed) : state_(seed) {}
    int Next();  // 0..32767
    uint32_t state() const { return state_; }

private:
    uint32_t state_;
};
