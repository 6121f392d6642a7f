// The fixed-step simulation of the discs: straight runs with friction, walls,
// corner holes and elastic disc impacts, all in float with the positions and
// velocities pinned to 1/65536 at fixed points so every machine agrees. Discs
// are processed in index order; that order is part of the result.
#pragma once

#include "game/game_state.h"

constexpr int kMovingStepLimit = 1260;

// One physics step, then the end-of-shot rules when nothing moves any more.
void StepPhysics(GameState& g);
