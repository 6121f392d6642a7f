// The computer player's decision at a table where it is to move: simulate
// the shots its level tries, judge each by what it leaves (shot_scoring.h),
// look further at the best (the next shot from the table each leaves, and
// the same shot with the hand a little off), pick one, and let the hand play
// it with its error. The same table, level and seed give the same decision.
#pragma once

#include <cstdint>

#include "ai/play_level.h"
#include "ai/shot.h"
#include "ai/shot_simulation.h"
#include "game/game_state.h"

namespace ai {

struct Decision {
    Shot intended;        // the shot the search chose
    Shot played;          // the same off by the hand's error: what is fired
    ShotResult expected;  // what the intended shot does
    int simulations = 0;  // shots simulated to decide
};

// The side to move is the table's currentPlayer; its discs must be at rest.
Decision ChooseShot(const GameState& table, Level level, uint64_t seed);

}  // namespace ai
