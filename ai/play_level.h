// The computer player's levels. A level is how much it searches and how
// steady its hand is: a beginner tries few shots and misses like a person, a
// master tries many, looks one shot further and rarely misses. Random plays
// any shot a person could make and is the yardstick the others are measured
// against.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "ai/candidate_shots.h"

namespace ai {

enum class Level { Random, Beginner, Club, Master };

struct LevelSettings {
    // The shots tried at the table: the pots, then a grid whose angles are
    // made finer until the budget is spent.
    PotSearch pots;
    ShotGrid grid;
    int firstPlyBudget = 0;  // simulations at most on a full table
    bool weighLeave = false;

    // The best of them looked at again: what the next shot can make of the
    // table each leaves, and how each fares when the hand is a little off.
    int lookaheadShots = 0;
    int lookaheadBudget = 0;  // simulations for each
    int steadinessShots = 0;

    // The hand: one standard deviation of the error in radians, as a share
    // of the force, and in table units along the strip.
    float angleError = 0;
    float forceError = 0;
    float spotError = 0;
};

const LevelSettings& SettingsOf(Level level);

// "random", "beginner", "club", "master" in any letter case.
std::optional<Level> ParseLevel(std::string_view name);
const char* LevelName(Level level);

}  // namespace ai
