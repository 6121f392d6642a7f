// The resting scene between games.
#pragma once

#include "game/game_state.h"

// Brings a running game or practice run back to the intro: the table at
// rest and, with music on, the intro theme. Nothing changes while idle.
void ReturnToIntro(GameState& g);
