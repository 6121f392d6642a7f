// The ten best practice runs ("Best Plays"), ranked by level reached, then
// time, then shots, and kept in "ringdisk.dat" in the player's data folder
// (the working folder when run from a build; see base/library_folders.h).
#pragma once

#include <cstdint>

#include "game/game_state.h"

constexpr int kBestPlayRows = 10;
constexpr const char* kBestPlaysFile = "ringdisk.dat";

struct BestPlay {
    char* name = nullptr;  // owned
    int8_t hours = 0, minutes = 0, seconds = 0;
    int8_t level = 0;
    int32_t shots = 0;
};

// Row 0 is the best.
const BestPlay& BestPlayRow(int row);

// The default table, then whatever of the file can be read whole; without
// an argument, the player's file.
void LoadBestPlays();
void LoadBestPlays(const char* path);
// Writes the ten rows; false (and a warning) when the file cannot be
// written. Without an argument, into the player's file, creating its folder
// when missing.
bool SaveBestPlays();
bool SaveBestPlays(const char* path);
// Releases every name (library unload).
void ReleaseBestPlays();

// Offers the practice run that just ended to the table; sets newRecordRow.
void EnterBestPlay(GameState& g);

// Switches to the best-plays screen, bringing a running game back to rest.
void ShowBestPlays(GameState& g);

// The best-plays screen comes in for a second, stands, and from its
// twentieth second on takes one more to go out (the picture moves a
// screen's height a second, whatever the height); once it has gone the
// intro takes over. Runs with the game's frame, whether drawn or not.
constexpr float kBestPlaysStandSeconds = 20, kBestPlaysSlideSeconds = 1;
void AdvanceBestPlaysScreen(GameState& g, float frameSeconds);
