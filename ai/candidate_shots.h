// The shots worth simulating at a table: aimed pots along the pot lines at a
// few strengths, and a plain grid of spots, angles and forces that finds the
// breaks, doubles, kisses and safe shots no line foresees. Every shot is on
// the game's grid and playable from a free spot.
#pragma once

#include <span>
#include <vector>

#include "ai/shot.h"
#include "game/game_state.h"

namespace ai {

struct ShotGrid {
    int spots = 0;   // spread across the strip
    int angles = 0;  // spread over +-kGridAngle, both ends included
    std::span<const float> forces;
};

// The grid keeps inside the aim's limit by a margin: the widest angles send
// the striker along its own strip, where it does little but fall.
inline constexpr float kGridAngle = 1.2f;

std::vector<Shot> GridShots(const GameState& table, const ShotGrid& grid);

struct PotSearch {
    int spreadSpots = 0;         // see FindPotLines
    bool offTheCushion = false;  // see FindPotLines
    std::span<const float> forceFactors;
    // Angles tried on each side of a line, kFanStep apart: a fast striker
    // meets the disc a little past the point the line aims at.
    int fanSteps = 0;
};
inline constexpr float kFanStep = 0.004f;

// Shots along the pot lines (see pot_lines.h) of the side to move, each line
// with the force that just pots its disc times every factor given.
std::vector<Shot> PotShots(const GameState& table, const PotSearch& search);

// Drops repeated shots, keeping the first of each.
void RemoveRepeats(std::vector<Shot>& shots);

}  // namespace ai
