// Deterministic randomness for the generator: the same build always produces
// byte-identical assets, so nothing here depends on the standard library's
// unspecified distributions or on the clock.
#pragma once

#include <cstdint>

namespace assetgen {

class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed) {}
    std::uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    float Unit() { return float(Next() & 0xFFFFFF) / float(0x1000000); }  // [0, 1)
    float Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }
    int Below(int n) { return int(Next() % std::uint32_t(n)); }

private:
    std::uint32_t state_;
};

// Smooth value noise in [0, 1]. With a period > 0 the lattice wraps, so a
// texture filled with period = lattice cells across tiles seamlessly.
float ValueNoise(float x, float y, std::uint32_t seed, int period = 0);

// Sum of octaves of value noise, normalised to [0, 1].
float FractalNoise(float x, float y, int octaves, std::uint32_t seed, int period = 0);

}  // namespace assetgen
