// The game's share of one drawn frame: the pause key, the aim and the cue,
// the practice run clock and the practice phase timers.
#pragma once

#include "game/game_state.h"
#include "game/shot_control.h"

void RunGameFrame(GameState& g, const FrameInput& input, bool pausePressed);

// Seconds since the previous call, by the monotonic clock; the first call
// answers 0. Until the device's frame statistics exist this is the frame time.
float MeasureFrameSeconds();
float LastFrameSeconds();
