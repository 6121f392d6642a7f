// Bringing the scene up on the program's window and down again.
#pragma once

#include "game/game_state.h"

// Starts the device on the window (an X11 window id), the input, the help
// font, the package "dados.vpf" and every asset, the sound and music, the
// lights and the fireworks, then shows the intro table. 0 on success; -1
// when the device cannot start or the package is missing (after a message
// box saying so). While the scene is up a second start changes nothing and
// answers 0. language 1..3; any other keeps the current one.
int StartScene(GameState& g, unsigned long window, void* instance, int width, int height,
               int language);

// Releases everything the start made, the table's sound and presentation
// with it, and writes the frame statistics; the
// log is deleted after a clean finish and kept, with a warning, when
// anything could not be released. The device lets go of the window too:
// the program may destroy it right after. Without a scene only the log is
// deleted.
void FinishScene(GameState& g);

// Draws the scene at a new size from the next frame on: the device's back
// buffer, its viewport, the projection's aspect, the picking, the 2D view
// and what is laid out on it follow. Nothing is loaded again and the game
// is not touched. 0 on success; -1 (logged) without a scene or when the
// device cannot take the size, and then the old size stays.
int ChangeSceneSize(const GameState& g, int width, int height);
