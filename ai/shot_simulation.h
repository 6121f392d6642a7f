// A shot played to rest on a copy of the table by the game's own shot, physics
// and rules, as the shooter's machine plays it: what fell, whether the turn
// stays, the score afterwards. The copy is silent: a simulated shot is never
// heard.
#pragma once

#include <cstdint>

#include "ai/shot.h"
#include "game/game_state.h"

namespace ai {

struct ShotResult {
    int ownPocketed = 0;    // discs of the shooter's colour that fell
    int otherPocketed = 0;  // discs of the other colour that fell
    bool strikerFell = false;
    bool discReturned = false;  // the fallen striker brought a disc back
    bool turnKept = false;
    uint8_t points[2] = {0, 0};
    uint8_t winner = kNoWinner;
};

ShotResult SimulateShot(const GameState& table, const Shot& shot);
// The same, leaving the table at rest after the shot in `after`.
ShotResult SimulateShot(const GameState& table, const Shot& shot, GameState& after);

}  // namespace ai
