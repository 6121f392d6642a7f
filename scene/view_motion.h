// How the table view moves: the right mouse button turns it during a game,
// the middle button (or right with Shift) puts it back, the intro turns it
// slowly, and after a match it spins while fireworks go up. Also the help
// panel's fade, which follows F1.
#pragma once

#include "game/game_state.h"
#include "scene/scene.h"

// The view turned by this frame's mouse, when the player may turn it: the
// game has the focus and a game is on with no aim, result or pause.
void TurnViewByMouse(GameState& g);
// After a match: the slow spin, and a rocket whenever the interval runs
// out, more often on the winner's screen and a spectator's.
void Celebrate(GameState& g, Scene& scene, float frameSeconds);
// The intro's slow turn, seen level.
void TurnIntroView(GameState& g, float frameSeconds);
// F1 held (with the focus) fades the help in, else it fades out.
void FadeHelp(const GameState& g, Scene& scene, float frameSeconds);
