#include "ai/pot_lines.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "ai/shooting_line.h"
#include "game/table_geometry.h"

namespace ai {

namespace {

constexpr float kFriction = 0.018f;          // share of its speed a disc loses each step
constexpr float kStopSpeed = 0.035f;         // a disc this slow stops
constexpr float kForcePerSpeed = 2.5f;       // the cue's force for one unit a step
constexpr float kCushionRestitution = 0.8f;  // share of the speed across a cushion it keeps
constexpr float kFallMargin = 1.0f;          // how far past the capture radius the disc is sent
constexpr float kLeastStraightness = 0.3f;   // thinner cuts rarely go where they are aimed
// The striker touches the disc a little before the centres are a disc's
// width apart.
constexpr float kContactDistance = table::kDiscDiameter - 0.1f;
constexpr int kChanceSpots = 5;
constexpr float kLongestEasyWay = 90.0f;

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

float Distance(const Point& a, const Point& b) {
    return Length(b.x - a.x, b.z - a.z);
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
bool StraightSpot(const Point& contact, const Point& u, float z, float& x) {
    if (u.z == 0.0f) return false;
    const float t = (contact.z - z) / u.z;
    if (t <= 0.0f) return false;
    x = Quantize16(contact.x - t * u.x);
    return true;
}

// Where on the far cushion the striker from spot must strike it to come off
// towards contact: the cushion takes a share of the speed across it, which
// flattens the way back.
Point CushionPoint(const Point& spot, const Point& contact, float cushionZ) {
    const float spotDepth = std::fabs(spot.z - cushionZ);
    const float contactDepth = std::fabs(contact.z - cushionZ);
    const float e = kCushionRestitution;
    const float x =
        (contact.x * spotDepth * e + spot.x * contactDepth) / (contactDepth + spotDepth * e);
    return {x, cushionZ};
}

class LineFinder {
public:
    LineFinder(const GameState& g, std::vector<PotLine>& lines) : g_(g), lines_(lines) {}

    // The line to disc k into hole from spot, off the cushion at z when
    // cushionZ is given.
    void Add(int k, const Point& hole, const Point& contact, const Point& u, const Point& spot,
             const float* cushionZ) {
        if (!IsFreeSpot(g_, spot.x, spot.z)) return;
        const Point first = cushionZ ? CushionPoint(spot, contact, *cushionZ) : contact;
        const Point& fromLast = cushionZ ? first : spot;
        const float lastRun = Distance(fromLast, contact);
        if (lastRun == 0.0f) return;
        const float straightness =
            ((contact.x - fromLast.x) * u.x + (contact.z - fromLast.z) * u.z) / lastRun;
        if (straightness < kLeastStraightness) return;
        const auto angle = AimAngle(g_.currentPlayer, spot.x, spot.z, first.x, first.z);
        if (!angle) return;
        if (!PathClear(g_, spot, first, k)) return;
        if (cushionZ && !PathClear(g_, first, contact, k)) return;

        PotLine line;
        line.disc = k;
        line.aim = {spot.x, spot.z, 0.0f, *angle};
        line.straightness = straightness;
        line.strikerRun = cushionZ ? Distance(spot, first) + lastRun : lastRun;
        if (cushionZ) {
            const float inX = first.x - spot.x, inZ = first.z - spot.z;
            const float in = Length(inX, inZ);
            line.speedKept = Length(inX, kCushionRestitution * inZ) / in;
            line.offTheCushion = true;
        }
        const Disc& d = g_.discs[k];
        line.discRun = Length(hole.x - d.x, hole.z - d.z);
        lines_.push_back(line);
    }

private:
    const GameState& g_;
    std::vector<PotLine>& lines_;
};

}  // namespace

std::vector<PotLine> FindPotLines(const GameState& g, int spreadSpots, bool offTheCushion) {
    std::vector<PotLine> lines;
    const int side = g.currentPlayer;
    if (side != kSideGreen && side != kSideRed) return lines;
    const DiscColor own = side == kSideGreen ? kColorGreen : kColorRed;
    const float lineZ = ShootingLineZ(side);
    // The cushion across the table from the shooter.
    const float farCushion = side == kSideGreen ? -table::kWallLimit : table::kWallLimit;
    const std::vector<float> spread = SpreadAcrossStrip(spreadSpots);
    LineFinder finder(g, lines);
    for (int k = 1; k < kDiscCount; ++k) {
        const Disc& d = g.discs[k];
        if (d.status != kStatusOnTable || d.color != own) continue;
        for (const Point& hole : kHoles) {
            const float toHole = Length(hole.x - d.x, hole.z - d.z);
            if (toHole == 0.0f) continue;
            const Point u{(hole.x - d.x) / toHole, (hole.z - d.z) / toHole};
            if (!PathClear(g, {d.x, d.z}, hole, k)) continue;
            const Point contact{d.x - kContactDistance * u.x, d.z - kContactDistance * u.z};
            // A disc against a cushion cannot be struck from beyond it.
            if (std::fabs(contact.x) > table::kWallLimit ||
                std::fabs(contact.z) > table::kWallLimit) {
                continue;
            }
            float straightX;
            if (StraightSpot(contact, u, lineZ, straightX)) {
                finder.Add(k, hole, contact, u, {straightX, lineZ}, nullptr);
            }
            for (float x : spread) {
                finder.Add(k, hole, contact, u, {x, lineZ}, nullptr);
                if (offTheCushion) finder.Add(k, hole, contact, u, {x, lineZ}, &farCushion);
            }
        }
    }
    return lines;
}

float JustEnoughForce(const PotLine& line) {
    const float discRoll = std::max(0.0f, line.discRun - table::kHoleCaptureRadius + kFallMargin);
    const float discSpeed = kFriction * discRoll + kStopSpeed;
    // A hit passes on the share of the striker's speed along the line of
    // centres; a cushion on the way takes its share first.
    const float atContact = discSpeed / line.straightness;
    const float strikerSpeed = atContact / line.speedKept + kFriction * line.strikerRun;
    return kForcePerSpeed * strikerSpeed;
}

float PottingChances(const GameState& g) {
    // The best line of each disc: a full hit over a short way is the easiest.
    float best[kDiscCount] = {};
    for (const PotLine& line : FindPotLines(g, kChanceSpots, false)) {
        const float way = std::min(1.0f, (line.strikerRun + line.discRun) / kLongestEasyWay);
        const float ease = line.straightness * line.straightness * (1.0f - 0.6f * way);
        best[line.disc] = std::max(best[line.disc], ease);
    }
    std::sort(std::begin(best), std::end(best), std::greater<float>());
    return best[0] + 0.5f * best[1] + 0.25f * best[2];
}

}  // namespace ai
