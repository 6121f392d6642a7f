// Tries shots on a copy of a table and reports what each would do, so tests
// can pick shots that lead a game where they need it to go.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "game/game_state.h"

struct CandidateShot {
    float x, z, force, angle;
};

struct ShotResult {
    int ownPocketed = 0;    // discs of the shooter's colour that fell
    int otherPocketed = 0;  // discs of the other colour that fell
    bool strikerFell = false;
    bool discReturned = false;
    bool turnKept = false;
    uint8_t points[2] = {0, 0};
};

// Plays the shot on a copy with the shooter's machine's rules, silently.
ShotResult SimulateShot(const GameState& g, const CandidateShot& shot);

// Shots from free spots of the shooting line of the side to play.
std::vector<CandidateShot> CandidateShots(const GameState& g);

// The candidate with the highest score, if any scores above minimumScore.
std::optional<CandidateShot> FindShot(const GameState& g,
                                      const std::function<int(const ShotResult&)>& score,
                                      int minimumScore);
