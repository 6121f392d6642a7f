// Levels in hundredths of a decibel (0 = full level, negative = quieter), as
// the engine keeps them, turned into the mixer's linear steps.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace audio {

// Linear gain of an attenuation: 10^(millibels / 2000).
inline double GainOf(int32_t millibels) {
    return std::pow(10.0, std::min<int32_t>(millibels, 0) / 2000.0);
}

// The mixer's volume steps, 0..128.
inline int MixerVolume(int32_t millibels) {
    return std::clamp(static_cast<int>(std::lround(128.0 * GainOf(millibels))), 0, 128);
}

// Pan: a negative value attenuates the right side by that much, a positive
// one the left side. Levels are the mixer's panning steps, 0..255.
struct PanLevels {
    uint8_t left = 255, right = 255;
};

inline PanLevels PanOf(int32_t millibels) {
    const auto level = [](int32_t attenuation) {
        return static_cast<uint8_t>(std::lround(255.0 * GainOf(attenuation)));
    };
    PanLevels pan;
    if (millibels < 0) pan.right = level(millibels);
    if (millibels > 0) pan.left = level(-millibels);
    return pan;
}

}  // namespace audio
