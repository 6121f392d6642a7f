#include "frontend/session/library_callbacks.h"

void LibraryCallbacks::OnShoot(const wire::Shot& shot) {
    // Nobody shoots at once: every machine fires the shot from its queue when
    // its own table is at rest.
    game_.SendGameMessage(wire::kShot + wire::EncodeShot(shot));
    queue_.Push(shot);
}

void LibraryCallbacks::OnTurnPassed() {
    if (game_.SettlingSyncedTable()) return;
    if (game_.IsOnline()) {
        game_.SendGameMessage(wire::kTurn);
    } else {
        library_.PassTurnFromPeer();  // practice keeps the one side at the table
    }
}

void LibraryCallbacks::OnAim(const wire::Aim& aim) {
    if (!game_.IsOnline()) return;
    game_.SendGameMessage(wire::kAim + wire::EncodeAim(aim));
}
