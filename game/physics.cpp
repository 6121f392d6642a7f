#include "game/physics.h"

#include <cmath>

#include "game/game_sound.h"
#include "game/practice.h"
#include "game/quantize.h"
#include "game/rules.h"
#include "game/table_geometry.h"
#include "game/table_layout.h"

namespace {

constexpr float kFriction = 0.982f;
constexpr float kStopThreshold = 0.035f;
constexpr float kWallRestitution = 0.8f;
constexpr float kSeparationDivisor = 1.95f;
constexpr float kTangentialDamping = 1.2f;
constexpr int kWallSoundBase = 192;
constexpr float kWallSoundFactor = 8.0f;
constexpr int kImpactSoundBase = 186;
constexpr float kImpactSoundFactor = 6.4f;

// Both sound formulas weigh the Z component more than the X component.
int SoundVolume(int base, float factor, float vx, float vz) {
    return base + static_cast<int>(std::fabs(vx) + factor * std::fabs(vz));
}

void BounceOffWall(const GameState& g, float& position, float& velocity, const Disc& d) {
    if (position > table::kWallLimit || position < -table::kWallLimit) {
        position = position > table::kWallLimit ? table::kWallLimit : -table::kWallLimit;
        velocity = -(velocity * kWallRestitution);
        SoundOf(g).PlayEffectAt(kEffectWall,
                                SoundVolume(kWallSoundBase, kWallSoundFactor, d.vx, d.vz));
    }
}

bool InAHole(const Disc& d) {
    constexpr TablePoint kHoles[] = {{table::kHoleCenter, table::kHoleCenter},
                                     {-table::kHoleCenter, table::kHoleCenter},
                                     {table::kHoleCenter, -table::kHoleCenter},
                                     {-table::kHoleCenter, -table::kHoleCenter}};
    for (const TablePoint& hole : kHoles) {
        const float dx = d.x - hole.x;
        const float dz = d.z - hole.z;
        if (std::sqrt(dx * dx + dz * dz) < table::kHoleCaptureRadius) return true;
    }
    return false;
}

void QuantizeDisc(Disc& d) {
    d.x = Quantize16(d.x);
    d.z = Quantize16(d.z);
    d.vx = Quantize16(d.vx);
    d.vz = Quantize16(d.vz);
}

// Equal-mass elastic impact of moving disc i on disc j: the normal components
// are exchanged, the tangential ones kept but damped, and the two discs are
// pushed apart by the overlap.
void ResolveImpact(const GameState& g, Disc& a, Disc& b, float dx, float dz, float dist,
                   float overlap) {
    SoundOf(g).PlayEffectAt(kEffectDiscHit,
                            SoundVolume(kImpactSoundBase, kImpactSoundFactor, a.vx, a.vz));

    float nx, nz;
    if (dist == 0.0f) {
        // Identical centres (only reachable through resynchronised positions)
        // have no normal; push them apart along X so no NaN enters the table.
        nx = 1.0f;
        nz = 0.0f;
    } else {
        nx = Quantize16(dx / dist);
        nz = Quantize16(dz / dist);
    }
    const float tx = -nz;
    const float tz = nx;

    const float pushX = overlap * nx / kSeparationDivisor;
    const float pushZ = overlap * nz / kSeparationDivisor;
    b.x = Quantize16(b.x + pushX);
    b.z = Quantize16(b.z + pushZ);
    a.x = Quantize16(a.x - pushX);
    a.z = Quantize16(a.z - pushZ);

    const float ta = Quantize16(a.vx * tx + a.vz * tz);
    const float na = Quantize16(a.vx * nx + a.vz * nz);
    const float tb = Quantize16(b.vx * tx + b.vz * tz);
    const float nb = Quantize16(b.vx * nx + b.vz * nz);
    const float dampedTa = Quantize16(ta / kTangentialDamping);
    const float dampedTb = Quantize16(tb / kTangentialDamping);

    a.vx = nb * nx + dampedTa * tx;
    a.vz = nb * nz + dampedTa * tz;
    b.vx = na * nx + dampedTb * tx;
    b.vz = na * nz + dampedTb * tz;
    QuantizeDisc(a);
    QuantizeDisc(b);
}

void ResolveImpacts(GameState& g, int i) {
    Disc& a = g.discs[i];
    for (int j = 0; j < kDiscCount; ++j) {
        if (j == i) continue;
        Disc& b = g.discs[j];
        if (b.status != kStatusOnTable) continue;
        const float dx = b.x - a.x;
        const float dz = b.z - a.z;
        const float dist = Quantize16(std::sqrt(dx * dx + dz * dz));
        const float overlap = table::kDiscDiameter - dist;
        if (overlap <= 0.0f) continue;
        // Two still, touching discs are left alone; an earlier impact of this
        // loop may just have stopped disc i.
        if (a.IsStill() && b.IsStill()) continue;
        ResolveImpact(g, a, b, dx, dz, dist, overlap);
    }
}

void MoveDisc(GameState& g, int i) {
    Disc& d = g.discs[i];
    // Counted before the stop test: the step that stops a disc still moves.
    if (!d.IsStill()) g.isMoving = 1;
    if (std::fabs(d.vx) <= kStopThreshold && std::fabs(d.vz) <= kStopThreshold) {
        d.vx = 0.0f;
        d.vz = 0.0f;
    }
    if (d.vx != 0.0f) {
        d.x += d.vx;
        d.vx *= kFriction;
    }
    if (d.vz != 0.0f) {
        d.z += d.vz;
        d.vz *= kFriction;
    }
    BounceOffWall(g, d.x, d.vx, d);
    BounceOffWall(g, d.z, d.vz, d);
    if (InAHole(d)) {
        d.vx = 0.0f;
        d.vz = 0.0f;
        d.status = kStatusPocketed;
        SoundOf(g).PlayEffect(kEffectPocket);
        ScorePocketedDisc(g, i);
    }
    QuantizeDisc(d);
    if (!d.IsStill()) ResolveImpacts(g, i);
}

}  // namespace

void StepPhysics(GameState& g) {
    if (g.mode == kModeIdle) return;
    if (g.mode == kModePractice && g.paused) return;

    g.isMoving = 0;
    for (int i = 0; i < kDiscCount; ++i) {
        if (g.discs[i].status == kStatusOnTable) MoveDisc(g, i);
    }

    if (g.isMoving) {
        if (g.movingSteps >= kMovingStepLimit) {
            // A shot that would never settle is cut off.
            g.isMoving = 0;
            for (Disc& d : g.discs) d.vx = d.vz = 0.0f;
            g.movingSteps = 0;
        } else {
            ++g.movingSteps;
        }
    }

    if (!g.isMoving) {
        g.discs[kStriker].status = kStatusOff;
        RunEndOfShot(g);
    }
    AdvancePracticeStep(g);
}
