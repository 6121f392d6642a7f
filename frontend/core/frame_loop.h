// The frame tick: every 16 ms it applies at most one queued game event while
// the table is at rest, moves the shown aim of a remote player, runs one
// physics step (two on some ticks when ticks are lost) and renders every
// first, second or fourth tick.
//
// A table is compared with another machine's only once it is settled: at
// rest before and after a whole physics step. The step that brings a shot
// to rest may put a disc back at a spot that only the next step rounds to
// the table's grid, so a table read in between matches no other machine's.
#pragma once

#include <QElapsedTimer>
#include <array>
#include <functional>

#include "frontend/core/event_queue.h"
#include "frontend/core/game_library.h"
#include "frontend/core/online_game.h"

class FrameLoop {
public:
    FrameLoop(EventQueue& queue, OnlineGame& game, GameLibrary& library);

    void Tick();

    // 1, 2 or 4: 60, 30 or 15 rendered frames per second.
    void SetRenderDivider(int divider) { renderDivider_ = divider; }
    int RenderDivider() const { return renderDivider_; }
    // The shortest time between two ticks; the window timer pads to it.
    // Zero lets a test drive the tick as fast as it likes.
    void SetMinimumTickMs(int ms) { minimumTickMs_ = ms; }
    void SetEngineRunning(bool running) { engineRunning_ = running; }
    bool EngineRunning() const { return engineRunning_; }

    int MeasuredFps() const { return measuredFps_; }
    int TickCounter() const { return tickCounter_; }
    uint64_t TicksRun() const { return ticksRun_; }

private:
    void MeasureTiming();
    void ApplyHeadEntry();
    void SmoothRemoteAim();

    EventQueue& queue_;
    OnlineGame& game_;
    GameLibrary& library_;
    QElapsedTimer clock_;
    qint64 lastTickMs_ = 0;
    int msThisSecond_ = 0;
    int ticksThisSecond_ = 0;
    int measuredFps_ = 60;
    int renderDivider_ = 1;
    int tickCounter_ = 1;
    uint64_t ticksRun_ = 0;
    int minimumTickMs_ = 17;
    bool engineRunning_ = false;
    std::array<float, 4> aimTarget_{};
    std::array<float, 4> aimCurrent_{};
    uint8_t aimPhase_ = 0;  // carried with the aim; nothing on this side reads it
    bool tableSettled_ = false;
};
