// The practice HUD: hints, the tries icons, level, shots, run time, pause,
// and the banner at the end of a run.
#pragma once

#include "game/game_state.h"
#include "scene/hud.h"

void DrawPracticeHud(const GameState& g, const HudFrame& frame);
