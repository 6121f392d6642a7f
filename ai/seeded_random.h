// The computer player's own random numbers: a small generator (splitmix64)
// that gives the same sequence for the same seed on every run, apart from
// the game's generator, which the layout of a match depends on.
#pragma once

#include <cmath>
#include <cstdint>

namespace ai {

class SeededRandom {
public:
    explicit SeededRandom(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // In [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

    double Between(double low, double high) { return low + (high - low) * Uniform(); }

    // Normally distributed, mean 0, standard deviation 1 (Box-Muller).
    double Normal() {
        const double u = 1.0 - Uniform();  // in (0, 1]: the logarithm stays finite
        const double v = Uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * 3.14159265358979323846 * v);
    }

private:
    uint64_t state_;
};

// Two numbers into one seed, so each decision of a player gets its own.
inline uint64_t MixSeed(uint64_t a, uint64_t b) {
    return SeededRandom(a ^ (b * 0xD1B54A32D192ED03ull)).Next();
}

}  // namespace ai
