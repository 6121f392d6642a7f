// Practice mode: one player, always green, works through twenty puzzle levels
// with four tries for the whole run, against the clock.
#pragma once

#include <cstdint>

#include "game/game_state.h"

constexpr int kPracticeTries = 4;
constexpr int kPracticeLevels = 20;
constexpr float kLevelClearedSeconds = 7.0f;
constexpr float kAllClearedSeconds = 12.0f;
constexpr float kOutOfTriesSeconds = 10.0f;

// A player's run, its generator seeded from the calendar clock.
void StartPractice(GameState& g, const char* playerName);
// A run whose table follows from seed and the shots played on it alone; a
// watched one is a recorded run played again (see WatchedRun).
void StartPractice(GameState& g, const char* playerName, uint32_t seed, bool watched);
void SetUpLevel(GameState& g, int level);

// Puts one disc of a level on the table; each one still owed to the colour's
// counter brings the level's goal one disc closer.
void PlacePracticeDisc(GameState& g, int disc, float x, float z, char color);

// Try accounting at the end of a shot with an outcome. True when the run is
// lost, which ends that step's end-of-shot handling.
bool PracticeChargeTry(GameState& g);

// All green discs of the level are down.
void PracticeLevelCleared(GameState& g);

// Once per drawn frame: the P key toggles the pause while a level is played.
void HandlePauseKey(GameState& g, bool pausePressed);

// The phase timers (next level, end of the run). A watched run stays on the
// table it ended on: its end is its recording's.
void AdvancePracticePhase(GameState& g, float seconds);

// The run clock in whole seconds: a player's once per drawn frame, as the
// best plays have always timed it.
void AdvanceRunClock(GameState& g, float seconds);

// Once per physics step: the phase timers, and a watched run's clock. The
// levels change on the run's steps, not on drawn frames, so that a run comes
// out the same wherever its seed and shots are played again, as a match
// does; the steps keep the clock's pace, so the waits last as long.
void AdvancePracticeStep(GameState& g);
