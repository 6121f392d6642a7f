#include "frontend/core/library_callbacks.h"

#include <cmath>

#include "vexlib/exports.h"

namespace {

LibraryCallbacks* registered = nullptr;

extern "C" void ShootTrampoline(float x, float z, float force, float angle) {
    if (registered) registered->OnShoot(x, z, force, angle);
}
extern "C" void TurnTrampoline(int) {
    if (registered) registered->OnTurnPassed();
}
extern "C" void AimTrampoline(float z, float x, float force, float angle, float phase) {
    if (registered) registered->OnAim(z, x, force, angle, phase);
}
extern "C" void PointTrampoline(int) {}
extern "C" void VictoryTrampoline(int result) {
    if (registered) registered->OnVictory(result);
}

}  // namespace

LibraryCallbacks::~LibraryCallbacks() {
    if (registered != this) return;
    registered = nullptr;
    SetaCallBackShoot(nullptr);
    SetaCallBackMudaJogador(nullptr);
    SetaCallBackShooting(nullptr);
    SetaCallBackPoint(nullptr);
    SetaCallBackVitoria(nullptr);
}

void LibraryCallbacks::Register() {
    registered = this;
    SetaCallBackShoot(ShootTrampoline);
    SetaCallBackMudaJogador(TurnTrampoline);
    SetaCallBackShooting(AimTrampoline);
    SetaCallBackPoint(PointTrampoline);
    SetaCallBackVitoria(VictoryTrampoline);
}

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
        MudaJogador(0);  // practice keeps the one side at the table
    }
}

void LibraryCallbacks::OnAim(float z, float x, float force, float angle, float aimPhase) {
    if (!game_.IsOnline()) return;
    const auto phase = static_cast<uint8_t>(static_cast<int>(std::trunc(aimPhase)));
    game_.SendGameMessage(wire::kAim + wire::EncodeAim({z, x, force, angle, phase}));
}
