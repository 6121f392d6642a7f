// The rules of a match: scoring of pocketed discs, the striker penalty, victory,
// the turn clock and the passing of the turn.
#pragma once

#include "game/game_state.h"
#include "game/step_rate.h"

constexpr int kTurnSeconds = 60;
constexpr int kAimBroadcastInterval = 20;

// seat: 1 plays green, 2 plays red, anything else watches.
void StartMatch(GameState& g, int seat, int seed);

// Passes the turn unless discs move; notify fires the MudaJogador callback.
bool PassTurn(GameState& g, bool notify);

// Counts a disc that just fell, for its own colour, judged by who is shooting.
void ScorePocketedDisc(GameState& g, int disc);

// Run on every physics step in which nothing moved.
void RunEndOfShot(GameState& g);

// Effects and music around the end of a game: the stop of the music and the
// win, lose or draw sound for this machine's seat.
void AnnounceResult(GameState& g, uint8_t winner);
