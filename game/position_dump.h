// Writes the positions of the 20 playing discs to a numbered text file in the
// player's state folder (the working folder when run from a build), so the
// tables of the machines of a network game can be compared afterwards.
#pragma once

#include <string>

#include "game/game_state.h"

// The name of the next dump file for this machine's seat.
std::string DumpFileName(const GameState& g);

// Writes the file; false (and a warning or error in the log) when it cannot
// be created.
bool SavePositionDump(GameState& g);
