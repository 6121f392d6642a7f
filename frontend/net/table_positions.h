// The disc positions that travel for re-synchronisation and for the "vsync"
// check, compared as the check compares them.
#pragma once

#include "frontend/wire/wire_messages.h"

// Discs whose X or Z differ in any bit.
int CountDifferingDiscs(const wire::Positions& a, const wire::Positions& b);
