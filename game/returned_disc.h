// The disc put back on the table after the striker fell blinks for five
// cycles, each ending with the put-back sound, and is then an ordinary disc.
#pragma once

#include "game/game_state.h"

// One frame of the blink.
void AdvanceReturnBlink(GameState& g);
// Whether the put-back disc is in the hidden half of its blink.
bool ReturnedDiscHidden(const GameState& g);
