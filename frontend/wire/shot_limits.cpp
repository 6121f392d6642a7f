#include "frontend/wire/shot_limits.h"

#include <cmath>

#include "game/table_geometry.h"

namespace wire {

namespace {

// The game tests the zone on the striker's spot before it rounds the spot
// to 16.16 towards zero, which can carry a spot just beyond the near line
// one step over it.
constexpr float kRoundingStep = 1.0f / 65536.0f;

constexpr float kWeakestForce = 0.5f;  // a release at or below it shoots nothing
constexpr float kForceLimit = 10.0f;
constexpr float kAngleLimit = 1.3659099f;

}  // namespace

bool IsPlayableShot(const Shot& shot, int side) {
    for (float v : {shot.x, shot.z, shot.force, shot.angle}) {
        if (!std::isfinite(v)) return false;
    }
    if (side != 0 && side != 1) return false;
    if (!(shot.force > kWeakestForce && shot.force <= kForceLimit)) return false;
    if (!(std::fabs(shot.angle) <= kAngleLimit)) return false;
    // Both shooting strips span the same X range; green's lies at +Z, red's at -Z.
    if (!(shot.x > table::kShootingStripMinX && shot.x < table::kShootingStripMaxX)) return false;
    const float depth = side == 0 ? shot.z : -shot.z;
    return depth > table::kShootingStripNearZ - kRoundingStep && depth < table::kShootingStripFarZ;
}

}  // namespace wire
