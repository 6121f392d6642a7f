// How the table view moves: the right mouse button turns it during a game,
// the middle button (or right with Shift) puts it back, the intro turns it
// slowly, and after a match it spins while fireworks go up.
#pragma once

#include "game/game_state.h"
#include "game/shot_control.h"

// The view turned by this frame's mouse, when the player may turn it: the
// game has the focus and a game is on with no aim, result or pause.
void TurnViewByMouse(GameState& g, const FrameInput& input);
// After a match: the slow spin, and a firework whenever the interval runs
// out, more often on the winner's screen and a spectator's.
void Celebrate(GameState& g, float frameSeconds);
// The intro's slow turn, seen level.
void TurnIntroView(GameState& g, float frameSeconds);
