// Practice mode: one player, always green, works through twenty puzzle levels
// with four tries for the whole run, against the clock.
#pragma once

#include "game/game_state.h"

constexpr int kPracticeTries = 4;
constexpr int kPracticeLevels = 20;
constexpr float kLevelClearedSeconds = 7.0f;
constexpr float kAllClearedSeconds = 12.0f;
constexpr float kOutOfTriesSeconds = 10.0f;

void StartPractice(GameState& g, const char* playerName);
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

// Once per drawn frame: the phase timers (next level, end of the run).
void AdvancePracticePhase(GameState& g, float frameSeconds);

// Once per drawn frame: the run clock in whole seconds.
void AdvanceRunClock(GameState& g, float frameSeconds);
