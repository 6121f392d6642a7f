// What a simulated shot is worth to the side that played it. A shot that
// loses the striker always ranks below one that keeps it; among the rest the
// score counts the points the shot won and gave away, the match won or lost,
// the turn kept, and, when asked, the table left behind: easy pots for
// whoever plays next are good for the shooter only if that is the shooter.
#pragma once

#include "ai/shot_simulation.h"
#include "game/game_state.h"

namespace ai {

struct Judgement {
    bool strikerKept = true;
    float value = 0;

    // Orders worse before better.
    bool operator<(const Judgement& other) const {
        if (strikerKept != other.strikerKept) return !strikerKept;
        return value < other.value;
    }
};

inline constexpr float kPointValue = 100.0f;
inline constexpr float kDecidedValue = 100000.0f;

// before: the table the shot was played on; after: the table at rest after it.
Judgement Judge(const GameState& before, const ShotResult& result, const GameState& after,
                bool weighLeave);

// The points the shot won for the shooter less the points it gave away, in
// score units, ignoring the turn and the table left.
float PointsValue(const GameState& before, const ShotResult& result);

}  // namespace ai
