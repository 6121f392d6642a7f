// Where and how the side to move may shoot: the striker on a free spot of its
// shooting strip, a force the cue can give and an angle the aim can reach,
// the same limits a person's mouse is held to.
#pragma once

#include <optional>
#include <vector>

#include "ai/shot.h"
#include "game/game_state.h"

namespace ai {

// The middle of the side's shooting strip, on the game's grid.
float ShootingLineZ(int side);

// Inside the strip of the side to move and not within a disc's width of any
// playing disc, whatever its status: where the game lets the striker be put.
bool IsFreeSpot(const GameState& table, float x, float z);

// A shot the game would take from a person at this table: a free spot, a
// force above the cancelling release and within the cue's reach, an angle
// within the aim's limit, every value finite.
bool IsPlayable(const GameState& table, const Shot& shot);

// The angle that sends the side's striker from one point towards another,
// if the aim can reach it.
std::optional<float> AimAngle(int side, float fromX, float fromZ, float toX, float toZ);

// count spots spread evenly across the strip, away from its ends.
std::vector<float> SpreadAcrossStrip(int count);

// The lines across the side's strip the striker is put on: the middle one
// first, then one nearer the player and one farther away.
std::vector<float> StripLines(int side);

// The free ones of count spots spread across the line at z.
std::vector<float> FreeSpotsOnLine(const GameState& table, float z, int count);

}  // namespace ai
