// One frame of the game: shows the previous picture, reads the input,
// moves the view, the celebration, the practice timers and the aim by the
// frame's time, and draws the table in 3D and the fireworks, HUD and help
// in 2D.
#pragma once

#include "game/game_state.h"

// -1 without a scene or while a frame is being drawn, else 0. Without a
// scene the game's own timed steps still run (aim, pause, practice clocks)
// on the steady clock, so a peer without a window plays on.
int RenderScene(GameState& g);
// The time the last frame took: the device's once the scene draws, the
// steady clock's before.
float SceneFrameSeconds();
