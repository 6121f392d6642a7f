#include "ai/candidate_shots.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "ai/pot_lines.h"
#include "ai/shooting_line.h"
#include "game/shot_control.h"

namespace ai {

namespace {

constexpr float kWeakestAimedForce = 0.6f;

// The free spots of the grid: on the middle line, and where discs cover too
// much of it, on the strip's other lines as well.
std::vector<std::pair<float, float>> GridSpots(const GameState& g, int count) {
    std::vector<std::pair<float, float>> spots;
    for (float z : StripLines(g.currentPlayer)) {
        for (float x : FreeSpotsOnLine(g, z, count)) spots.emplace_back(x, z);
        if (static_cast<int>(spots.size()) * 2 >= count) break;
    }
    return spots;
}

}  // namespace

std::vector<Shot> GridShots(const GameState& g, const ShotGrid& grid) {
    std::vector<Shot> shots;
    for (const auto& [x, z] : GridSpots(g, grid.spots)) {
        for (int i = 0; i < grid.angles; ++i) {
            const float angle = grid.angles == 1
                                    ? 0.0f
                                    : -kGridAngle + 2.0f * kGridAngle * static_cast<float>(i) /
                                                        static_cast<float>(grid.angles - 1);
            for (float force : grid.forces) shots.push_back(OnTheGrid({x, z, force, angle}));
        }
    }
    return shots;
}

std::vector<Shot> PotShots(const GameState& g, const PotSearch& search) {
    std::vector<Shot> shots;
    for (const PotLine& line : FindPotLines(g, search.spreadSpots, search.offTheCushion)) {
        const float justEnough = JustEnoughForce(line);
        for (float factor : search.forceFactors) {
            Shot s = line.aim;
            s.force = std::clamp(justEnough * factor, kWeakestAimedForce, kForceLimit);
            for (int step = -search.fanSteps; step <= search.fanSteps; ++step) {
                Shot fanned = s;
                fanned.angle = std::clamp(s.angle + kFanStep * static_cast<float>(step),
                                          -kAngleLimit, kAngleLimit);
                shots.push_back(OnTheGrid(fanned));
            }
        }
    }
    RemoveRepeats(shots);
    return shots;
}

void RemoveRepeats(std::vector<Shot>& shots) {
    std::set<std::tuple<float, float, float, float>> seen;
    std::erase_if(shots, [&](const Shot& s) {
        return !seen.insert({s.x, s.z, s.force, s.angle}).second;
    });
}

}  // namespace ai
