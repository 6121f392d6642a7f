// The probe's fingerprints, read through the exports: the shared one is the
// fingerprint every machine of a match compares, the full one sees the
// striker and the score as well.
#include <cstring>
#include <vector>

#include "tests/game/game_fixture.h"

namespace {

// FNV-1a over a byte string, written out on its own so that the test does
// not lean on the hash it checks.
uint64_t Fnv1a(const std::vector<unsigned char>& bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char b : bytes) {
        hash ^= b;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

template <typename T>
void Append(std::vector<unsigned char>& bytes, T value) {
    unsigned char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    bytes.insert(bytes.end(), raw, raw + sizeof(T));
}

using TableProbeTest = GameTest;

TEST_F(TableProbeTest, SharedFingerprintHashesTheSyncedDiscsThenTheSideToMove) {
    IniciaPartida(1, 77);
    std::vector<unsigned char> expected;
    for (int disc = 1; disc <= 20; ++disc) {
        const float x = 0.5f * disc - 3.0f, z = 20.0f - 1.25f * disc;
        SetDiscoX(disc, x);
        SetDiscoZ(disc, z);
        Append(expected, x);
        Append(expected, z);
    }
    SetPlayer_Atual(1);
    Append(expected, int32_t{1});
    EXPECT_EQ(table_probe::SharedFingerprint(), Fnv1a(expected));
    EXPECT_EQ(table_probe::SharedFingerprint(),
              table::Fingerprint(table_probe::SyncedPositions(), 1));
}

TEST_F(TableProbeTest, TheStrikerAndTheScoreChangeOnlyTheFullFingerprint) {
    IniciaPartida(1, 77);
    const uint64_t shared = table_probe::SharedFingerprint();
    const uint64_t full = table_probe::FullFingerprint();
    EXPECT_NE(shared, full);

    SetDiscoX(0, GetDiscoX(0) + 1.0f);
    EXPECT_EQ(table_probe::SharedFingerprint(), shared);
    const uint64_t movedStriker = table_probe::FullFingerprint();
    EXPECT_NE(movedStriker, full);

    SetPlayer_Pts(1, static_cast<char>(GetPlayer_Pts(1) + 1));
    EXPECT_EQ(table_probe::SharedFingerprint(), shared);
    EXPECT_NE(table_probe::FullFingerprint(), movedStriker);

    SetDiscoZ(20, GetDiscoZ(20) + 0.5f);
    EXPECT_NE(table_probe::SharedFingerprint(), shared) << "disc 20 is a synced disc";
}

}  // namespace
