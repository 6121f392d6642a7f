// The shots the game itself could make, which is all the host relays: the
// striker on the shooting line of the side to move, a force the cue can
// give, an angle the aim can reach. The numbers are the game's own; a test
// holds them against the game's rules.
#pragma once

#include "frontend/core/wire_messages.h"

namespace wire {

// side: 0 green, 1 red. Every value must be finite.
bool IsPlayableShot(const Shot& shot, int side);

}  // namespace wire
