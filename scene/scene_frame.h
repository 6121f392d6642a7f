// One frame of the game: shows the previous picture, reads the input, runs
// the game's frame (which places the camera once the view has settled) and
// draws what it left: the table in 3D, then the fireworks, HUD and help in
// 2D.
#pragma once

#include "game/game_state.h"

// -1 without a scene or while a frame is being drawn, else 0. Without a
// scene the game's frame still runs, on the steady clock and with no
// input, so a peer without a window plays on.
int RenderScene(GameState& g);
// The time the last frame took: the device's once the scene draws, the
// steady clock's before.
float SceneFrameSeconds();
