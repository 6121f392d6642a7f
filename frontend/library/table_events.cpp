#include "frontend/library/table_events.h"

bool TakeOnTable(TableDriver& table, const event::Shot& shot) {
    return table.Shoot(shot);
}

bool TakeOnTable(TableDriver& table, const event::PassTurn&) {
    return table.PassTurnFromPeer();
}

bool TakeOnTable(TableDriver& table, const event::Sync& sync) {
    table.WritePositions(sync.positions);
    table.SetSideToMove(sync.side);
    return true;
}
