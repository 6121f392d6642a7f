// The computer player's hand: the shot it meant, off by a little in spot,
// angle and force, as a person's is. The error is drawn from a seed, so a
// seed replays every miss; the shot stays one the game accepts.
#pragma once

#include <cstdint>

#include "ai/play_level.h"
#include "ai/shot.h"
#include "game/game_state.h"

namespace ai {

Shot WithHandError(const GameState& table, const Shot& intended, const LevelSettings& level,
                   uint64_t seed);

// Any shot a person could make at the table, every one as likely: a free
// spot anywhere in the strip, any angle the aim reaches, any force that
// shoots.
Shot RandomPlayableShot(const GameState& table, uint64_t seed);

}  // namespace ai
