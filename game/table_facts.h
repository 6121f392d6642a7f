// What every machine of a match says alike about a table: how many discs a
// sync carries, the short fingerprint machines compare, and the shots the
// cue can give. The game, the wire, the replays and the tools read them
// here, so this header includes nothing of the game and may be included
// from anywhere.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace table {

// Discs 1..20, the ones a sync carries; 0 is the striker.
inline constexpr int kSyncedDiscs = 20;
// X then Z of each synced disc.
using SyncedPositions = std::array<float, kSyncedDiscs * 2>;

// The cue's reach.
inline constexpr float kAngleLimit = 1.3659099f;
inline constexpr float kForceLimit = 10.0f;
inline constexpr float kMinimumShotForce = 0.5f;  // a release at or below it shoots nothing

// FNV-1a, the hash under the fingerprint: where it starts and one byte
// into it. Tools that hash more of a table build on the same two.
inline constexpr uint64_t kFnvOffsetBasis = 14695981039346656037ull;
inline constexpr uint64_t MixByte(uint64_t hash, uint8_t byte) {
    return (hash ^ byte) * 1099511628211ull;
}

// The short fingerprint of a table that machines of one match compare:
// FNV-1a over the bits of discs 1..20 (x then z) and the side to move as a
// 32-bit integer, all little-endian.
inline uint64_t Fingerprint(const SyncedPositions& positions, int side) {
    uint64_t hash = kFnvOffsetBasis;
    const auto mix = [&hash](uint32_t v) {
        for (int i = 0; i < 4; ++i) hash = MixByte(hash, static_cast<uint8_t>(v >> (8 * i)));
    };
    for (float v : positions) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        mix(bits);
    }
    mix(static_cast<uint32_t>(side));
    return hash;
}

}  // namespace table
