#include "engine/audio/wave_reader.h"

#include <cstring>

namespace {

constexpr size_t kChunkHeader = 8;
constexpr uint32_t kPcmTag = 1;
constexpr uint32_t kShortestFormat = 16;
constexpr uint32_t kHighestRate = 192000;

uint16_t U16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t U32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
bool Is(const uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

WaveResult ReadFormat(const uint8_t* chunk, uint32_t size, audio::PcmFormat& format) {
    if (size < kShortestFormat) return WaveResult::kNoFormat;
    if (U16(chunk) != kPcmTag) return WaveResult::kNotPcm;
    format.channels = U16(chunk + 2);
    format.samplesPerSecond = U32(chunk + 4);
    format.blockAlign = U16(chunk + 12);
    format.bitsPerSample = U16(chunk + 14);
    const bool playable = (format.channels == 1 || format.channels == 2) &&
                          (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
                          format.blockAlign == format.channels * format.bitsPerSample / 8 &&
                          format.samplesPerSecond >= 1 && format.samplesPerSecond <= kHighestRate;
    return playable ? WaveResult::kOk : WaveResult::kUnplayableFormat;
}

}  // namespace

WaveResult ParseWave(const uint8_t* bytes, size_t size, ParsedWave& wave) {
    wave = ParsedWave{};
    if (!bytes || size < 12 || !Is(bytes, "RIFF") || !Is(bytes + 8, "WAVE"))
        return WaveResult::kNotRiffWave;
    // The RIFF chunk itself must fit, and bounds every chunk inside it.
    const uint32_t riffSize = U32(bytes + 4);
    if (riffSize < 4 || riffSize > size - kChunkHeader) return WaveResult::kChunkOverrun;
    const size_t end = kChunkHeader + riffSize;

    bool haveFormat = false;
    for (size_t at = 12; end - at >= kChunkHeader;) {
        const uint8_t* header = bytes + at;
        const uint32_t chunkSize = U32(header + 4);
        const uint8_t* body = header + kChunkHeader;
        const size_t left = end - at - kChunkHeader;
        if (chunkSize > left) return WaveResult::kChunkOverrun;
        if (Is(header, "fmt ")) {
            const WaveResult format = ReadFormat(body, chunkSize, wave.format);
            if (format != WaveResult::kOk) return format;
            haveFormat = true;
        } else if (Is(header, "data")) {
            if (!haveFormat) return WaveResult::kDataBeforeFormat;
            const uint32_t whole = chunkSize - chunkSize % wave.format.blockAlign;
            if (whole == 0) return WaveResult::kNoData;
            wave.samples = body;
            wave.sampleBytes = whole;
            return WaveResult::kOk;
        }
        // Chunks are padded to an even length; a missing pad byte at the
        // very end simply ends the walk.
        const size_t step = kChunkHeader + size_t(chunkSize) + (chunkSize & 1);
        if (step > end - at) break;
        at += step;
    }
    return haveFormat ? WaveResult::kNoData : WaveResult::kNoFormat;
}
