// Tables for the computer player's tests: laid out by hand, opened as a
// match opens, or played on from there to the middle of a match.
#pragma once

#include <cstdint>
#include <vector>

#include "ai/shot.h"
#include "game/game_state.h"

// A match table with every playing disc off; side is the one to move.
GameState EmptyTable(int side = kSideGreen);
void Put(GameState& g, int disc, DiscColor color, float x, float z);

// The opening table of a match dealt from seed.
GameState OpeningTable(int seed);

// Tables from the middle of matches: from each opening some shots drawn at
// random, until a few discs are down.
std::vector<GameState> MidGameTables(int count);

// Plays a shot on the table by the game's rules and leaves it at rest.
void Play(GameState& g, const ai::Shot& shot);
