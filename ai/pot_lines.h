// The lines along which the side to move can send one of its own discs into
// a hole: the striker from a free spot of its strip to the point where it
// meets the disc, straight or off the far cushion, and the disc on to the
// hole, every leg clear of the other discs. They seed the shots worth
// simulating and tell how good a table is for the side that plays next.
#pragma once

#include <vector>

#include "ai/shot.h"
#include "game/game_state.h"

namespace ai {

struct PotLine {
    int disc = 0;
    Shot aim;                // spot and angle; the force is the caller's
    float straightness = 0;  // cosine of the angle between the two runs, 1 for a full hit
    float strikerRun = 0;    // from the spot to the point of contact
    float speedKept = 1;     // share of its speed the striker keeps off the cushion
    float discRun = 0;       // from the disc to the hole
    bool offTheCushion = false;
};

// spreadSpots: besides the spot straight behind each disc, how many spots
// spread across the strip are tried. offTheCushion adds the lines that send
// the striker off the far cushion first: the only ones to a disc lying
// behind the shooter's own strip.
std::vector<PotLine> FindPotLines(const GameState& table, int spreadSpots, bool offTheCushion);

// The force that just carries the disc of the line into its hole.
float JustEnoughForce(const PotLine& line);

// How promising the table is for the side to move, from 0 (nothing to pot)
// up: its best straight lines on different discs, the best counting most.
float PottingChances(const GameState& table);

}  // namespace ai
