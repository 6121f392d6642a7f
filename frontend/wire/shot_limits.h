// The shots the game itself could make, which is all the host relays: the
// striker on the shooting line of the side to move, a force the cue can
// give, an angle the aim can reach. The strips are the table's own
// measurements; the force and angle limits are the game's, which a test
// holds against its rules.
#pragma once

#include "frontend/wire/wire_messages.h"

namespace wire {

// side: 0 green, 1 red. Every value must be finite.
bool IsPlayableShot(const Shot& shot, int side);

}  // namespace wire
