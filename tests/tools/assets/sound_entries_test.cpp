// Every sound is a PCM WAV the effects loader takes (a "fmt " chunk of
// exactly 18 bytes, format tag 1), audible, free of clicks at its ends and
// of long clipping, and different from the others.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "built_package.h"

namespace {

const char* const kSounds[] = {
    "hit.wav",  "colmesa.wav", "col.wav",     "gol.wav",    "repoe.wav", "c1.wav",   "e1.wav",
    "e2.wav",   "win.wav",     "lose.wav",    "draw.wav",   "haha.wav",  "hehe.wav", "ops.wav",
    "kick.wav", "initp.wav",   "plop.wav",    "ling01.wav", "praca.wav", "cake.wav", "birth.wav",
    "come.wav", "cool.wav",    "faceass.wav", "king.wav",   "rock.wav",  "shake.wav"};

uint32_t U32(const std::vector<uint8_t>& b, std::size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, std::size_t at) {
    return uint16_t(b[at] | b[at + 1] << 8);
}

struct Wave {
    uint32_t formatSize = 0;
    uint16_t tag = 0, channels = 0, bits = 0, blockAlign = 0, extraSize = 0xFFFF;
    uint32_t rate = 0, byteRate = 0;
    std::vector<float> samples;  // the first channel, -1..1
};

// Walks the RIFF chunks as the loader does; fails the test on a malformed
// file.
Wave Parse(const std::vector<uint8_t>& b, const char* name) {
    Wave w;
    EXPECT_GE(b.size(), 12u) << name;
    if (b.size() < 12) return w;
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF") << name;
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE") << name;
    EXPECT_EQ(U32(b, 4), b.size() - 8) << name;
    bool sawFormat = false;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        const uint32_t size = U32(b, at + 4);
        EXPECT_LE(at + 8 + size, b.size()) << name << " chunk " << id;
        if (at + 8 + size > b.size()) break;
        if (id == "fmt ") {
            sawFormat = true;
            w.formatSize = size;
            if (size >= 18) {
                w.tag = U16(b, at + 8);
                w.channels = U16(b, at + 10);
                w.rate = U32(b, at + 12);
                w.byteRate = U32(b, at + 16);
                w.blockAlign = U16(b, at + 20);
                w.bits = U16(b, at + 22);
                w.extraSize = U16(b, at + 24);
            }
        } else if (id == "data") {
            EXPECT_TRUE(sawFormat) << name << ": data before format";
            if (w.bits == 16 && w.blockAlign > 0)
                for (std::size_t i = at + 8; i + 1 < at + 8 + size; i += w.blockAlign)
                    w.samples.push_back(int16_t(U16(b, i)) / 32768.0f);
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

}  // namespace

TEST(SoundEntries, ArePcmWithAnEighteenByteFormatChunk) {
    for (const char* name : kSounds) {
        const Wave w = Parse(PackageEntryBytes(name), name);
        EXPECT_EQ(w.formatSize, 18u) << name;
        EXPECT_EQ(w.tag, 1) << name;
        EXPECT_EQ(w.extraSize, 0) << name;
        EXPECT_TRUE(w.channels == 1 || w.channels == 2) << name;
        EXPECT_EQ(w.bits, 16) << name;
        EXPECT_EQ(w.blockAlign, w.channels * 2) << name;
        EXPECT_EQ(w.byteRate, w.rate * w.blockAlign) << name;
        EXPECT_TRUE(w.rate == 11025 || w.rate == 22050 || w.rate == 44100) << name;
    }
}

TEST(SoundEntries, AreAudibleCleanAndOfAFittingLength) {
    for (const char* name : kSounds) {
        const Wave w = Parse(PackageEntryBytes(name), name);
        ASSERT_FALSE(w.samples.empty()) << name;
        const float seconds = float(w.samples.size()) / float(w.rate);
        EXPECT_GT(seconds, 0.03f) << name;
        EXPECT_LT(seconds, 4.0f) << name;
        float peak = 0;
        double energy = 0;
        int clipped = 0;
        for (float s : w.samples) {
            peak = std::max(peak, std::fabs(s));
            energy += double(s) * s;
            clipped += std::fabs(s) > 0.999f;
        }
        EXPECT_GT(peak, 0.5f) << name;
        EXPECT_GT(std::sqrt(energy / double(w.samples.size())), 0.02)
            << name << " is nearly silent";
        EXPECT_LT(clipped, int(w.samples.size() / 200)) << name << " clips";
        EXPECT_LT(std::fabs(w.samples.front()), 0.05f) << name << " starts with a click";
        EXPECT_LT(std::fabs(w.samples.back()), 0.02f) << name << " ends with a click";
    }
}

TEST(SoundEntries, AreAllDifferent) {
    std::set<std::vector<uint8_t>> seen;
    for (const char* name : kSounds)
        EXPECT_TRUE(seen.insert(PackageEntryBytes(name)).second) << name;
}
