// The five notifications of the game library, handled by the front end. The
// library takes plain C function pointers, so static trampolines forward to
// the one registered instance.
#pragma once

#include "frontend/core/event_queue.h"
#include "frontend/core/online_game.h"

class LibraryCallbacks {
public:
    LibraryCallbacks(OnlineGame& game, EventQueue& queue) : game_(game), queue_(queue) {}
    ~LibraryCallbacks();

    // Registers with the library in the order shot, turn, aim, point, victory.
    void Register();

    void OnShoot(float x, float z, float force, float angle);
    void OnTurnPassed();
    void OnAim(float z, float x, float force, float angle, float aimPhase);
    void OnVictory(int result) { game_.OnVictory(result); }

private:
    OnlineGame& game_;
    EventQueue& queue_;
};
