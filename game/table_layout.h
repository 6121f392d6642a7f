// The layouts of discs on the table: the 20 numbered slots around the centre,
// the standard opening layout of a match, and the shooting strips.
#pragma once

#include "game/game_state.h"
#include "game/table_geometry.h"

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
// table's random generator, the striker off the table.
void StandardLayout(GameState& g);

// True when the point lies on the shooting line of the side whose turn it is.
bool InShootingZone(const GameState& g, float x, float z);
