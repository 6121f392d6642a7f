// The sound effects' WAV reader: any bytes either give a reason for the
// refusal or a playable format whose samples lie inside the bytes given and
// hold whole frames.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/audio/wave_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact copy, so that a read past the end is a read past a heap block.
    const std::vector<uint8_t> bytes(data, data + size);
    ParsedWave wave;
    if (ParseWave(bytes.data(), bytes.size(), wave) != WaveResult::kOk) return 0;
    const uint8_t* end = bytes.data() + bytes.size();
    if (wave.samples < bytes.data() || wave.sampleBytes == 0 ||
        wave.sampleBytes > size_t(end - wave.samples))
        std::abort();
    const uint32_t frame = uint32_t(wave.format.channels) * (wave.format.bitsPerSample / 8u);
    if (frame == 0 || wave.sampleBytes % frame != 0) std::abort();
    // Touch the first and last sample byte, as the mixer will.
    volatile uint8_t first = wave.samples[0], last = wave.samples[wave.sampleBytes - 1];
    (void)first, (void)last;
    return 0;
}
