// The frame tick: every 16 ms it applies at most one queued game event while
// the table is at rest, moves the shown aim of a remote player, runs one
// physics step (two on some ticks when ticks are lost) and renders every
// first, second or fourth tick. Every event that takes effect passes
// ApplyHeadEvent, which shows it to the observer, if there is one.
//
// A table is compared with another machine's only once it is settled: at
// rest before and after a whole physics step. The step that brings a shot
// to rest may put a disc back at a spot that only the next step rounds to
// the table's grid, so a table read in between matches no other machine's.
#pragma once

#include <QElapsedTimer>
#include <functional>

#include "frontend/library/event_queue.h"
#include "frontend/library/game_library.h"
#include "frontend/session/online_game.h"

class FrameLoop {
public:
    FrameLoop(EventQueue& queue, OnlineGame& game, TableDriver& table);

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

    // Hears each event as it takes effect, in order; empty hears nothing.
    using EventObserver = std::function<void(const GameEvent&)>;
    void ObserveAppliedEvents(EventObserver observer) { observer_ = std::move(observer); }

private:
    void MeasureTiming();
    void ApplyHeadEvent();
    // Each answers whether the event took effect; one that did not stays at
    // the head and is tried again on the next tick at rest.
    bool Apply(const event::Shot& shot);
    bool Apply(const event::PassTurn&);
    bool Apply(const event::Aim& aim);
    bool Apply(const event::SendSync& request);
    bool Apply(const event::Sync& sync);
    bool Apply(const event::AnswerVerify&);
    bool Apply(const event::Verify& answer);
    bool Apply(const event::VerifyReference&);
    bool Apply(const event::MatchOver&);
    void SmoothRemoteAim();

    EventQueue& queue_;
    OnlineGame& game_;
    TableDriver& table_;
    EventObserver observer_;
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
    wire::Aim aimTarget_;
    wire::Aim aimShown_;
    bool tableSettled_ = false;
};
