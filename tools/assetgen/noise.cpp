#include "tools/assetgen/noise.h"

#include <cmath>

namespace assetgen {

namespace {

float LatticeValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h =
        std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFF) / 65535.0f;
}

int Wrap(int v, int period) {
    if (period <= 0) return v;
    const int m = v % period;
    return m < 0 ? m + period : m;
}

float Smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace

float ValueNoise(float x, float y, std::uint32_t seed, int period) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const float tx = Smooth(x - fx), ty = Smooth(y - fy);
    const int x0 = Wrap(ix, period), x1 = Wrap(ix + 1, period);
    const int y0 = Wrap(iy, period), y1 = Wrap(iy + 1, period);
    const float a = LatticeValue(x0, y0, seed), b = LatticeValue(x1, y0, seed);
    const float c = LatticeValue(x0, y1, seed), d = LatticeValue(x1, y1, seed);
    const float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float FractalNoise(float x, float y, int octaves, std::uint32_t seed, int period) {
    float sum = 0, amplitude = 1, total = 0, frequency = 1;
    for (int i = 0; i < octaves; ++i) {
        const int p = period > 0 ? period * int(frequency) : 0;
        sum +=
            ValueNoise(x * frequency, y * frequency, seed + std::uint32_t(i) * 101u, p) * amplitude;
        total += amplitude;
        amplitude *= 0.5f;
        frequency *= 2.0f;
    }
    return sum / total;
}

}  // namespace assetgen
