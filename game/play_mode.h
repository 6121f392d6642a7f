// Whether a match or a practice run is on the table, rather than the intro
// or the best plays, and the music that asks for: the one home of both rules,
// read by the frame, the aim, the scene and the music switch.
#pragma once

#include "game/game_state.h"

bool InPlay(const GameState& g);

// Stops the music and starts what the table's mode asks for: a random game
// song without end during a match or a practice run, else the intro's song
// (the best-plays screen included). Silent while the music is off.
void RestartMusicForMode(GameState& g);
