// The front end's answers to the game library's notifications: a shot and
// an aim go to the other machines, a turn change too (offline it is handed
// straight back), a victory goes to the online game.
#pragma once

#include "frontend/library/event_queue.h"
#include "frontend/library/game_library.h"
#include "frontend/session/online_game.h"

class LibraryCallbacks : public GameLibraryListener {
public:
    LibraryCallbacks(OnlineGame& game, EventQueue& queue, GameLibrary& library)
        : game_(game), queue_(queue), library_(library) {}
    ~LibraryCallbacks() override { library_.Detach(this); }

    void Register() { library_.Attach(this); }

    void OnShoot(const wire::Shot& shot) override;
    void OnTurnPassed() override;
    void OnAim(const wire::Aim& aim) override;
    void OnVictory(int result) override { game_.OnVictory(result); }

private:
    OnlineGame& game_;
    EventQueue& queue_;
    GameLibrary& library_;
};
