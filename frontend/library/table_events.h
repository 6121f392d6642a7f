// The one way an event changes what stands on the table, shared by the frame
// loop and a replay being played: a shot is fired, a turn passed by the
// shooter's machine is taken, a table the host sent is laid. Each answers
// whether it took effect; one that did not waits, as discs still move.
#pragma once

#include "frontend/library/game_event.h"
#include "frontend/library/game_library.h"

bool TakeOnTable(TableDriver& table, const event::Shot& shot);
bool TakeOnTable(TableDriver& table, const event::PassTurn& pass);
// The positions first, then the side: the table is whole once the side is set.
bool TakeOnTable(TableDriver& table, const event::Sync& sync);
