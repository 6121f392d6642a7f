#include "ai/pot_lines.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "ai/shooting_line.h"
#include "game/table_geometry.h"

namespace ai {

namespace {

constexpr float kFriction = 0.018f;         // share of its speed a disc loses each step
constexpr float kStopSpeed = 0.035f;        // a disc this slow stops
constexpr float kForcePerSpeed = 2.5f;      // the cue's force for one unit a step
constexpr float kFallMargin = 1.0f;         // how far past the capture radius the disc is sent
constexpr float kLeastStraightness = 0.3f;  // thinner cuts rarely go where they are aimed
// The striker touches the disc a little before the centres are a disc's
// width apart.
constexpr float kContactDistance = table::kDiscDiameter - 0.1f;
constexpr int kChanceSpots = 5;

struct Point {
    float x, z;
};

constexpr Point kHoles[] = {{table::kHoleCenter, table::kHoleCenter},
                            {-table::kHoleCenter, table::kHoleCenter},
                            {table::kHoleCenter, -table::kHoleCenter},
                            {-table::kHoleCenter, -table::kHoleCenter}};

float Length(float x, float z) {
    return std::sqrt(x * x + z * z);
}

// Whether a disc centre comes within a disc's width of the segment a-b.
bool Crosses(const Point& a, const Point& b, const Disc& d) {
    const float abx = b.x - a.x, abz = b.z - a.z;
    const float lengthSquared = abx * abx + abz * abz;
    float t = 0.0f;
    if (lengthSquared > 0.0f) {
        t = std::clamp(((d.x - a.x) * abx + (d.z - a.z) * abz) / lengthSquared, 0.0f, 1.0f);
    }
    return Length(d.x - (a.x + t * abx), d.z - (a.z + t * abz)) < table::kDiscDiameter;
}

bool PathClear(const GameState& g, const Point& a, const Point& b, int ignoredDisc) {
    for (int k = 1; k < kDiscCount; ++k) {
        if (k == ignoredDisc || g.discs[k].status != kStatusOnTable) continue;
        if (Crosses(a, b, g.discs[k])) return false;
    }
    return true;
}

// The spot on the strip's line at z straight behind the contact point, if
// the line reaches the strip from behind.
bool StraightSpot(const Point& contact, float ux, float uz, float z, float& x) {
    if (uz == 0.0f) return false;
    const float t = (contact.z - z) / uz;
    if (t <= 0.0f) return false;
    x = Quantize16(contact.x - t * ux);
    return true;
}

void AddLine(const GameState& g, int disc, const Point& hole, const Point& contact, float ux,
             float uz, const Point& spot, std::vector<PotLine>& lines) {
    if (!IsFreeSpot(g, spot.x, spot.z)) return;
    const float runX = contact.x - spot.x, runZ = contact.z - spot.z;
    const float strikerRun = Length(runX, runZ);
    if (strikerRun == 0.0f) return;
    const float straightness = (runX * ux + runZ * uz) / strikerRun;
    if (straightness < kLeastStraightness) return;
    const auto angle = AimAngle(g.currentPlayer, spot.x, spot.z, contact.x, contact.z);
    if (!angle) return;
    if (!PathClear(g, spot, contact, disc)) return;
    const Disc& d = g.discs[disc];
    PotLine line;
    line.disc = disc;
    line.aim = {spot.x, spot.z, 0.0f, *angle};
    line.straightness = straightness;
    line.strikerRun = strikerRun;
    line.discRun = Length(hole.x - d.x, hole.z - d.z);
    lines.push_back(line);
}

}  // namespace

std::vector<PotLine> FindPotLines(const GameState& g, int spreadSpots) {
    std::vector<PotLine> lines;
    const int side = g.currentPlayer;
    if (side != kSideGreen && side != kSideRed) return lines;
    const DiscColor own = side == kSideGreen ? kColorGreen : kColorRed;
    const float lineZ = ShootingLineZ(side);
    const std::vector<float> spread = SpreadAcrossStrip(spreadSpots);
    for (int k = 1; k < kDiscCount; ++k) {
        const Disc& d = g.discs[k];
        if (d.status != kStatusOnTable || d.color != own) continue;
        for (const Point& hole : kHoles) {
            const float toHole = Length(hole.x - d.x, hole.z - d.z);
            if (toHole == 0.0f) continue;
            const float ux = (hole.x - d.x) / toHole, uz = (hole.z - d.z) / toHole;
            if (!PathClear(g, {d.x, d.z}, hole, k)) continue;
            const Point contact{d.x - kContactDistance * ux, d.z - kContactDistance * uz};
            float straightX;
            if (StraightSpot(contact, ux, uz, lineZ, straightX)) {
                AddLine(g, k, hole, contact, ux, uz, {straightX, lineZ}, lines);
            }
            for (float x : spread) AddLine(g, k, hole, contact, ux, uz, {x, lineZ}, lines);
        }
    }
    return lines;
}

float JustEnoughForce(const PotLine& line) {
    const float discRoll = std::max(0.0f, line.discRun - table::kHoleCaptureRadius + kFallMargin);
    const float discSpeed = kFriction * discRoll + kStopSpeed;
    // A hit passes on the share of the striker's speed along the line of centres.
    const float strikerSpeed = discSpeed / line.straightness + kFriction * line.strikerRun;
    return kForcePerSpeed * strikerSpeed;
}

float PottingChances(const GameState& g) {
    // The best line of each disc: a full hit over a short way is the easiest.
    float best[kDiscCount] = {};
    for (const PotLine& line : FindPotLines(g, kChanceSpots)) {
        const float way = std::min(1.0f, (line.strikerRun + line.discRun) / 90.0f);
        const float ease = line.straightness * line.straightness * (1.0f - 0.6f * way);
        best[line.disc] = std::max(best[line.disc], ease);
    }
    std::sort(std::begin(best), std::end(best), std::greater<float>());
    return best[0] + 0.5f * best[1] + 0.25f * best[2];
}

}  // namespace ai
