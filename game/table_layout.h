// Table geometry and the layouts of discs on it: the 20 numbered slots around
// the centre and the standard opening layout of a match.
#pragma once

#include "game/game_state.h"

constexpr float kWallLimit = 32.0f;    // disc centres stay within +-32 on both axes
constexpr float kDiscDiameter = 4.3f;  // centre distance at which two discs touch
constexpr float kHoleCenter = 25.5f;   // holes at (+-25.5, +-25.5)
constexpr float kHoleCaptureRadius = 4.4f;
constexpr int kDiscSlotCount = 20;

struct TablePoint {
    float x, z;
};

// Position of slot 1..20; slot numbers outside that range have none.
bool SlotPosition(int slot, TablePoint& out);

// Puts a disc on a slot. Unless noCheck is set, a slot counts as taken while
// any playing disc, whatever its status, lies within a disc diameter of it.
bool PlaceOnSlot(GameState& g, int disc, int slot, bool noCheck);

// Twenty discs on the slots, ten green and ten red in an order drawn from the
// game's random generator, the striker off the table.
void StandardLayout(GameState& g);

// True when the point lies on the shooting line of the side whose turn it is.
bool InShootingZone(const GameState& g, float x, float z);
