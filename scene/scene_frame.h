// One frame of the game: shows the previous picture, reads the input, runs
// the game's frame (which places the camera once the view has settled) and
// draws what it left: the table in 3D, then the fireworks, HUD and help in
// 2D.
#pragma once

#include "game/game_state.h"

// -1 without a scene or while a frame is being drawn, else 0. Without a
// scene the game's frame still runs, with no input, so a peer without a
// window plays on. Seen or not, the frame's time is the steady clock's
// since the previous call.
int RenderScene(GameState& g);
// The time the last frame moved the game by.
float SceneFrameSeconds();
