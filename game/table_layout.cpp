#include "game/table_layout.h"

#include <cmath>

#include "game/quantize.h"
#include "game/stable_math.h"

namespace {

constexpr int kOuterRingLastSlot = 13;
constexpr int kInnerRingLastSlot = 19;
constexpr float kOuterRingStep = 0.48332196f;  // 2 pi / 13
constexpr float kInnerRingStep = 1.0471976f;   // pi / 3
constexpr float kOuterRingRadius = 10.0f;
constexpr float kInnerRingRadius = 5.0f;
constexpr int kDiscsPerColor = 10;

float Distance(float ax, float az, float bx, float bz) {
    const float dx = ax - bx;
    const float dz = az - bz;
    return std::sqrt(dx * dx + dz * dz);
}

void ColorDiscs(GameState& g, DiscColor color) {
    int coloured = 0;
    while (coloured < kDiscsPerColor) {
        const int r = g.tableRandom.Next() % kDiscCount;
        if (r != kStriker && g.discs[r].color == kColorNone) {
            g.discs[r].color = color;
            ++coloured;
        }
    }
}

}  // namespace

bool SlotPosition(int slot, TablePoint& out) {
    if (slot < 1 || slot > kDiscSlotCount) return false;
    if (slot <= kOuterRingLastSlot) {
        const float a = static_cast<float>(slot) * kOuterRingStep;
        out = {StableCos(a) * kOuterRingRadius, StableSin(a) * kOuterRingRadius};
    } else if (slot <= kInnerRingLastSlot) {
        const float a = static_cast<float>(slot) * kInnerRingStep;
        out = {StableCos(a) * kInnerRingRadius, StableSin(a) * kInnerRingRadius};
    } else {
        out = {0.0f, 0.0f};
    }
    return true;
}

bool PlaceOnSlot(GameState& g, int disc, int slot, bool noCheck) {
    TablePoint p;
    if (!SlotPosition(slot, p)) return false;
    if (!noCheck) {
        for (int k = 1; k < kDiscCount; ++k) {
            if (Distance(g.discs[k].x, g.discs[k].z, p.x, p.z) < table::kDiscDiameter) return false;
        }
    }
    Disc& d = g.discs[disc];
    d.x = p.x;
    d.z = p.z;
    d.status = kStatusOnTable;
    return true;
}

void StandardLayout(GameState& g) {
    for (Disc& d : g.discs) d = Disc{};
    for (int k = 1; k < kDiscCount; ++k) {
        PlaceOnSlot(g, k, k, true);
        g.discs[k].x = Quantize16(g.discs[k].x);
        g.discs[k].z = Quantize16(g.discs[k].z);
    }
    ColorDiscs(g, kColorGreen);
    ColorDiscs(g, kColorRed);
    g.discs[kStriker].status = kStatusOff;
    g.discs[kStriker].color = kColorYellow;
    g.shotOutcome = kOutcomeNone;
    g.points[0] = g.points[1] = 0;
    g.turnFrames = g.turnSeconds = 0;
    g.paused = 0;
}

bool InShootingZone(const GameState& g, float x, float z) {
    using namespace table;
    if (!(x > kShootingStripMinX && x < kShootingStripMaxX)) return false;
    if (g.currentPlayer == kSideGreen) return z > kShootingStripNearZ && z < kShootingStripFarZ;
    if (g.currentPlayer == kSideRed) return z > -kShootingStripFarZ && z < -kShootingStripNearZ;
    return false;
}
