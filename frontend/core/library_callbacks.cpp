#include "frontend/core/library_callbacks.h"

#include <cmath>

void LibraryCallbacks::OnShoot(float x, float z, float force, float angle) {
    // Nobody shoots at once: every machine fires the shot from its queue when
    // its own table is at rest.
    const QByteArray payload = wire::EncodeShot({x, z, force, angle});
    game_.SendGameMessage(wire::kShot + payload);
    queue_.Push(queue_entry::kShot, payload);
}

void LibraryCallbacks::OnTurnPassed() {
    if (game_.IsOnline()) {
        game_.SendGameMessage(wire::kTurn);
    } else {
        library_.PassTurnFromPeer();  // practice keeps the one side at the table
    }
}

void LibraryCallbacks::OnAim(float z, float x, float force, float angle, float aimPhase) {
    if (!game_.IsOnline()) return;
    const auto phase = static_cast<uint8_t>(static_cast<int>(std::trunc(aimPhase)));
    game_.SendGameMessage(wire::kAim + wire::EncodeAim({z, x, force, angle, phase}));
}
