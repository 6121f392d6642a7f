// A short fingerprint of the game library's table, read through its exported
// interface: what machines of one match compare to prove they agree. Shared
// by the headless peer and the tests that hold a reference table.
#pragma once

#include <cstdint>
#include <cstring>

#include "vexlib/exports.h"

namespace table_fingerprint {

constexpr int kSyncedDiscs = 20;

// FNV-1a over the bytes of a value.
template <typename T>
void Mix(uint64_t& hash, const T& value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (unsigned char b : bytes) hash = (hash ^ b) * 1099511628211ull;
}

// What re-synchronisation carries: discs 1..20 and the side to move.
inline uint64_t Shared() {
    uint64_t hash = 14695981039346656037ull;
    for (int disc = 1; disc <= kSyncedDiscs; ++disc) {
        Mix(hash, GetDiscoX(disc));
        Mix(hash, GetDiscoZ(disc));
    }
    Mix(hash, GetPlayer_Atual());
    return hash;
}

// Everything a shot changes: the striker and the score as well.
inline uint64_t Full() {
    uint64_t hash = Shared();
    Mix(hash, GetDiscoX(0));
    Mix(hash, GetDiscoZ(0));
    Mix(hash, GetPlayer_Pts(0));
    Mix(hash, GetPlayer_Pts(1));
    return hash;
}

}  // namespace table_fingerprint
