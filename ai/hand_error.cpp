#include "ai/hand_error.h"

#include <algorithm>

#include "ai/seeded_random.h"
#include "ai/shooting_line.h"
#include "game/shot_control.h"
#include "game/table_geometry.h"

namespace ai {

namespace {

// Weak enough to be a gentle touch, strong enough not to be a cancelled aim
// once on the grid.
constexpr float kWeakestForce = kMinimumShotForce + 0.01f;
constexpr int kSpotTries = 200;

}  // namespace

Shot WithHandError(const GameState& g, const Shot& intended, const LevelSettings& level,
                   uint64_t seed) {
    SeededRandom random(seed);
    const float spotError = level.spotError * static_cast<float>(random.Normal());
    const float angleError = level.angleError * static_cast<float>(random.Normal());
    const float forceError = level.forceError * static_cast<float>(random.Normal());
    Shot s = intended;
    s.x += spotError;
    // A hand that slips towards a disc or off the strip puts the striker
    // where it meant to.
    if (!IsFreeSpot(g, Quantize16(s.x), intended.z)) s.x = intended.x;
    s.angle = std::clamp(s.angle + angleError, -kAngleLimit, kAngleLimit);
    s.force = std::clamp(s.force * (1.0f + forceError), kWeakestForce, kForceLimit);
    s = OnTheGrid(s);
    return IsPlayable(g, s) ? s : intended;
}

Shot RandomPlayableShot(const GameState& g, uint64_t seed) {
    SeededRandom random(seed);
    const float sign = g.currentPlayer == kSideGreen ? 1.0f : -1.0f;
    Shot s;
    s.angle = static_cast<float>(random.Between(-kAngleLimit, kAngleLimit));
    s.force = static_cast<float>(random.Between(kWeakestForce, kForceLimit));
    for (int i = 0; i < kSpotTries; ++i) {
        s.x = static_cast<float>(
            random.Between(table::kShootingStripMinX, table::kShootingStripMaxX));
        s.z = sign * static_cast<float>(
                         random.Between(table::kShootingStripNearZ, table::kShootingStripFarZ));
        if (IsPlayable(g, OnTheGrid(s))) return OnTheGrid(s);
    }
    // A strip this crowded: the first free spot along it, if there is one.
    constexpr int kFineSpots = 41;
    for (float z : StripLines(g.currentPlayer)) {
        const std::vector<float> free = FreeSpotsOnLine(g, z, kFineSpots);
        if (!free.empty()) return OnTheGrid({free.front(), z, s.force, s.angle});
    }
    // No free spot anywhere: the middle of the line, as a person would try.
    return OnTheGrid({0.0f, ShootingLineZ(g.currentPlayer), s.force, s.angle});
}

}  // namespace ai
