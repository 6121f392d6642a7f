// The resting scene between games.
#pragma once

#include <vector>

#include "game/game_state.h"

// Brings a running game or practice run back to the intro: the table at
// rest and, with music on, the intro theme. Nothing changes while idle.
void ReturnToIntro(GameState& g);

// The intro's ten discs, the same in every frame: a generator seeded with
// 1792 gives each disc a colour (green or red), then z, then x, each within
// +-25. The table's generator is left alone.
std::vector<Disc> IntroDiscs();

// One frame of the intro for the table's generator: it is left where
// dealing the intro's discs from it, seeded 1792, leaves it.
void SettleIntroRandom(GameState& g);
