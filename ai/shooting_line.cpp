#include "ai/shooting_line.h"

#include <cmath>

#include "game/shot_control.h"
#include "game/table_geometry.h"
#include "game/table_layout.h"

namespace ai {

float ShootingLineZ(int side) {
    const float z = Quantize16(table::kShootingLineZ);
    return side == kSideGreen ? z : -z;
}

bool IsFreeSpot(const GameState& g, float x, float z) {
    if (!InShootingZone(g, x, z)) return false;
    for (int k = 1; k < kDiscCount; ++k) {
        const float dx = g.discs[k].x - x;
        const float dz = g.discs[k].z - z;
        if (std::sqrt(dx * dx + dz * dz) < table::kDiscDiameter) return false;
    }
    return true;
}

bool IsPlayable(const GameState& g, const Shot& s) {
    for (float v : {s.x, s.z, s.force, s.angle}) {
        if (!std::isfinite(v)) return false;
    }
    return s.force > kMinimumShotForce && s.force <= kForceLimit &&
           std::fabs(s.angle) <= kAngleLimit && IsFreeSpot(g, s.x, s.z);
}

std::optional<float> AimAngle(int side, float fromX, float fromZ, float toX, float toZ) {
    const double dx = static_cast<double>(toX) - fromX;
    const double dz = static_cast<double>(toZ) - fromZ;
    if (dx == 0.0 && dz == 0.0) return std::nullopt;
    // Angle 0 sends green's striker towards -z and red's towards +z; a
    // positive angle turns green's to -x and red's to +x.
    const double angle = side == kSideGreen ? std::atan2(-dx, -dz) : std::atan2(dx, dz);
    const float onGrid = Quantize16(static_cast<float>(angle));
    if (std::fabs(onGrid) > kAngleLimit) return std::nullopt;
    return onGrid;
}

std::vector<float> SpreadAcrossStrip(int count) {
    std::vector<float> spots;
    const float width = table::kShootingStripMaxX - table::kShootingStripMinX;
    for (int i = 0; i < count; ++i) {
        const float x = table::kShootingStripMinX +
                        width * (static_cast<float>(i) + 0.5f) / static_cast<float>(count);
        spots.push_back(Quantize16(x));
    }
    return spots;
}

std::vector<float> StripLines(int side) {
    constexpr float kInset = 0.7f;  // keeps a spot clear of the strip's edges
    const float sign = side == kSideGreen ? 1.0f : -1.0f;
    return {ShootingLineZ(side), Quantize16(sign * (table::kShootingStripNearZ + kInset)),
            Quantize16(sign * (table::kShootingStripFarZ - kInset))};
}

std::vector<float> FreeSpotsOnLine(const GameState& g, float z, int count) {
    std::vector<float> free;
    for (float x : SpreadAcrossStrip(count)) {
        if (IsFreeSpot(g, x, z)) free.push_back(x);
    }
    return free;
}

}  // namespace ai
