// The disc positions that travel for re-synchronisation, read from and
// written to the game library.
#pragma once

#include "frontend/core/wire_messages.h"

wire::Positions ReadTablePositions();
void WriteTablePositions(const wire::Positions& positions);
// Discs whose X or Z differ in any bit.
int CountDifferingDiscs(const wire::Positions& a, const wire::Positions& b);
