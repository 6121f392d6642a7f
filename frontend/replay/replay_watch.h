// Watching a replay in the game panel: the replay player driven by the frame
// timer instead of the frame loop, at 1x, 2x or 4x the match's 60 physics
// steps a second, paused, or run ahead to the next shot; drawn every tick as
// a spectator's table is, with the cue of the player to shoot aimed at the
// recorded shot for the second before it. The steps follow the clock, not
// the ticks: where drawing a frame takes longer than a tick, a tick runs the
// steps the time owes, and a match still takes its own time / speed.
#pragma once

#include "frontend/library/game_library.h"
#include "frontend/library/step_pacer.h"
#include "frontend/replay/replay_player.h"

class ReplayWatch {
public:
    ReplayWatch(const replay::Replay& replay, GameLibrary& library);

    void Start() { player_.Start(); }
    // One timer tick: the steps the time since the last tick owes at the
    // chosen speed, unless paused, then a frame.
    void Tick();
    // 1, 2 or 4 times the match's own pace.
    void SetSpeed(int speed) { speed_ = speed; }
    int Speed() const { return speed_; }
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }
    // Runs the table on, undrawn, to the second before the next shot.
    void SkipToNextShot();

    const ReplayPlayer& Player() const { return player_; }

private:
    void StepOnce();

    GameLibrary& library_;
    ReplayPlayer player_;
    StepPacer pacer_;
    int speed_ = 1;
    bool paused_ = false;
};
