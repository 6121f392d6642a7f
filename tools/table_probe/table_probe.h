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

#include "game/table_facts.h"
#include "vexlib/exports.h"

namespace table_probe {

using table::kSyncedDiscs;
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

using table::kFnvOffsetBasis;

// FNV-1a over the bytes of a value, as they lie in memory.
template <typename T>
void Mix(uint64_t& hash, const T& value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (unsigned char b : bytes) hash = table::MixByte(hash, b);
}

// Discs 1..20 as the exports give them, x then z.
inline table::SyncedPositions SyncedPositions() {
    table::SyncedPositions positions{};
    for (int disc = 1; disc <= kSyncedDiscs; ++disc) {
        positions[(disc - 1) * 2] = GetDiscoX(disc);
        positions[(disc - 1) * 2 + 1] = GetDiscoZ(disc);
    }
    return positions;
}

// What re-synchronisation carries: discs 1..20 and the side to move, the
// fingerprint every machine of a match computes.
inline uint64_t SharedFingerprint() {
    return table::Fingerprint(SyncedPositions(), GetPlayer_Atual());
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
