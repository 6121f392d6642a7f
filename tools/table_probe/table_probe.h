// The game library's table as a program sees it through the exported
// interface: a shot played to rest, and the short fingerprint that machines
// of one match compare to prove they agree. Shared by the headless peer, the
// shot replayer and the tests that hold a table of their own.
#pragma once

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "vexlib/exports.h"

namespace table_probe {

constexpr int kSyncedDiscs = 20;
// Far more steps than any shot moves for: the game cuts a shot off long
// before, so the cap only stops a broken library from hanging its caller.
constexpr int kMaxStepsPerShot = 5000;

// Steps the table until the shot settled, then once more: the still step
// that scores the shot and passes the turn.
inline void RunShotToRest() {
    int steps = 0;
    do {
        AtualizaDiscos();
    } while (GetIsMoving() && ++steps < kMaxStepsPerShot);
    AtualizaDiscos();
}

constexpr uint64_t kFnvOffsetBasis = 14695981039346656037ull;

// FNV-1a over the bytes of a value.
template <typename T>
void Mix(uint64_t& hash, const T& value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (unsigned char b : bytes) hash = (hash ^ b) * 1099511628211ull;
}

// What re-synchronisation carries: discs 1..20 and the side to move.
inline uint64_t SharedFingerprint() {
    uint64_t hash = kFnvOffsetBasis;
    for (int disc = 1; disc <= kSyncedDiscs; ++disc) {
        Mix(hash, GetDiscoX(disc));
        Mix(hash, GetDiscoZ(disc));
    }
    Mix(hash, GetPlayer_Atual());
    return hash;
}

// Everything a shot changes: the striker and the score as well.
inline uint64_t FullFingerprint() {
    uint64_t hash = SharedFingerprint();
    Mix(hash, GetDiscoX(0));
    Mix(hash, GetDiscoZ(0));
    Mix(hash, GetPlayer_Pts(0));
    Mix(hash, GetPlayer_Pts(1));
    return hash;
}

// A fingerprint as the headless peer reports it: sixteen lower-case hex
// digits.
inline std::string Hex(uint64_t fingerprint) {
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, fingerprint);
    return text;
}

}  // namespace table_probe
