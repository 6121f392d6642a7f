// WAV files built byte by byte, sound or damaged as a test needs them.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void PutU16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void PutU32(Bytes& b, uint32_t v) {
    PutU16(b, v & 0xFFFF);
    PutU16(b, v >> 16);
}

// A chunk whose size field says claimed bytes (its real size by default),
// padded to an even length.
inline Bytes Chunk(const std::string& id, const Bytes& body, int64_t claimed = -1) {
    Bytes b(id.begin(), id.end());
    PutU32(b, claimed < 0 ? uint32_t(body.size()) : uint32_t(claimed));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2) b.push_back(0);
    return b;
}

struct WaveFormat {
    uint16_t tag = 1, channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 16;
    int blockAlign = -1;        // channels * bits / 8 unless set
    bool withExtraSize = true;  // the 18-byte form the game's files use
};

inline Bytes FormatChunk(const WaveFormat& f) {
    Bytes body;
    const uint16_t align =
        f.blockAlign >= 0 ? uint16_t(f.blockAlign) : uint16_t(f.channels * f.bits / 8);
    PutU16(body, f.tag);
    PutU16(body, f.channels);
    PutU32(body, f.rate);
    PutU32(body, f.rate * align);
    PutU16(body, align);
    PutU16(body, f.bits);
    if (f.withExtraSize) PutU16(body, 0);
    return Chunk("fmt ", body);
}

// "RIFF" + size + "WAVE" + the chunks; the RIFF size is the real one unless
// claimed says otherwise.
inline Bytes Riff(const std::vector<Bytes>& chunks, int64_t claimed = -1) {
    Bytes inner{'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) inner.insert(inner.end(), c.begin(), c.end());
    Bytes b{'R', 'I', 'F', 'F'};
    PutU32(b, claimed < 0 ? uint32_t(inner.size()) : uint32_t(claimed));
    b.insert(b.end(), inner.begin(), inner.end());
    return b;
}

// 16-bit mono samples of a sine at the given level (full scale 1).
inline Bytes SineSamples(double seconds, double level, uint32_t rate = 22050) {
    Bytes b;
    const int count = int(seconds * rate);
    for (int i = 0; i < count; ++i)
        PutU16(b, uint16_t(int16_t(std::lround(level * 32767 * std::sin(i * 0.125)))));
    return b;
}

inline Bytes SineWave(double seconds, double level) {
    return Riff({FormatChunk({}), Chunk("data", SineSamples(seconds, level))});
}
