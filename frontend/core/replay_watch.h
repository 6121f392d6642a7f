// Watching a replay in the game panel: the replay player driven by the frame
// timer instead of the frame loop, at 1x, 2x or 4x (that many physics steps
// a tick), paused, or run ahead to the next shot; drawn every tick as a
// spectator's table is, with the cue of the player to shoot aimed at the
// recorded shot for the second before it.
#pragma once

#include "frontend/core/game_library.h"
#include "frontend/core/replay_player.h"

class ReplayWatch {
public:
    ReplayWatch(const replay::Replay& replay, GameLibrary& library);

    void Start() { player_.Start(); }
    // One timer tick: the steps of the chosen speed unless paused, then a frame.
    void Tick();
    // 1, 2 or 4 steps a tick.
    void SetSpeed(int stepsPerTick) { speed_ = stepsPerTick; }
    int Speed() const { return speed_; }
    void SetPaused(bool paused) { paused_ = paused; }
    bool Paused() const { return paused_; }
    // Runs the table on, undrawn, to the second before the next shot.
    void SkipToNextShot();

    const ReplayPlayer& Player() const { return player_; }

private:
    void StepOnce();

    GameLibrary& library_;
    ReplayPlayer player_;
    int speed_ = 1;
    bool paused_ = false;
};
