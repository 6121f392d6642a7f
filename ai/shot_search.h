// The plain search: simulate every candidate and keep the one a given score
// likes best. Tests use it to steer a match where they need it to go (a
// foul, a fallen striker, a quiet shot); the computer player's choice
// (shot_choice.h) builds on the same simulation.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "ai/candidate_shots.h"
#include "ai/shot_simulation.h"

namespace ai {

// The grid a plain search tries: thirteen spots, seventeen angles, three forces.
std::vector<Shot> SurveyShots(const GameState& table);

// The candidate with the highest score, if any scores above minimumScore;
// the first of equals.
std::optional<Shot> FindShot(const GameState& table, const std::vector<Shot>& candidates,
                             const std::function<int(const ShotResult&)>& score, int minimumScore);
// The same over the survey grid.
std::optional<Shot> FindShot(const GameState& table,
                             const std::function<int(const ShotResult&)>& score, int minimumScore);

}  // namespace ai
