// The game's one random generator, shared by the layout, the music choice,
// the fireworks and the hints. Both machines of a match seed it alike, so the
// colours of the discs come out the same everywhere.
#pragma once

#include <cstdint>

void SeedGameRandom(uint32_t seed);
int GameRandom();  // 0..32767
