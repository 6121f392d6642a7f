// The shape of plain PCM samples as a WAV file describes them.
#pragma once

#include <cstdint>

namespace audio {

struct PcmFormat {
    uint16_t channels = 0;  // 1 or 2
    uint32_t samplesPerSecond = 0;
    uint16_t bitsPerSample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
    uint16_t blockAlign = 0;     // bytes of one frame: channels * bits / 8
};

}  // namespace audio
