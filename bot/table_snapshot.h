// The table as the computer player thinks about it, rebuilt from what the
// game library shows any program: the disc positions and the side to move.
// The colours follow from the match's seed as they do on every machine; a
// disc lying within a hole's capture radius is down, since a disc on the
// table there would have fallen; the score is the discs down of each colour.
#pragma once

#include "frontend/wire/wire_messages.h"
#include "game/game_state.h"

// The table at rest with side to move, played from the seat of that side.
GameState SnapshotTable(const wire::Positions& positions, int sideToMove, int matchSeed);
