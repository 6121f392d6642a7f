#include "ai/shot_search.h"

namespace ai {

namespace {

constexpr float kSurveyForces[] = {4.0f, 7.0f, 10.0f};
constexpr ShotGrid kSurveyGrid{13, 17, kSurveyForces};

}  // namespace

std::vector<Shot> SurveyShots(const GameState& table) {
    return GridShots(table, kSurveyGrid);
}

std::optional<Shot> FindShot(const GameState& table, const std::vector<Shot>& candidates,
                             const std::function<int(const ShotResult&)>& score, int minimumScore) {
    std::optional<Shot> best;
    int bestScore = minimumScore;
    for (const Shot& shot : candidates) {
        const int s = score(SimulateShot(table, shot));
        if (s > bestScore) {
            bestScore = s;
            best = shot;
        }
    }
    return best;
}

std::optional<Shot> FindShot(const GameState& table,
                             const std::function<int(const ShotResult&)>& score, int minimumScore) {
    return FindShot(table, SurveyShots(table), score, minimumScore);
}

}  // namespace ai
