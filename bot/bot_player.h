// The computer player at an online game: it sits in front of the front
// end's core as a person sits at the window. When its side is to move and
// the table has settled it thinks (the search runs on a worker thread, over a
// snapshot of the table), then shows a short aim through the same aim
// reports a person's hand makes, and shoots through the same door as the
// game library's own shot callback. It never moves out of turn: any change of
// the table, the turn or the match while it thinks or aims drops the plan.
// Everything else (the wire, the queue, the turn clock, the match's end)
// stays the core's.
#pragma once

#include <QString>
#include <functional>
#include <future>
#include <optional>

#include "ai/play_level.h"
#include "ai/shot_choice.h"
#include "bot/aim_plan.h"
#include "frontend/session/frontend_core.h"

class BotPlayer : public GameLibraryListener {
public:
    using Report = std::function<void(const QString& line)>;

    // seed makes every decision reproducible; report hears one line per
    // shot and per result.
    BotPlayer(FrontendCore& core, ai::Level level, uint64_t seed, Report report);
    ~BotPlayer() override;

    // Stands between the library and the core's callbacks; after core.Start.
    void Attach();
    // Once per tick of the frame loop.
    void Poll();

    // Moves the match has seen start, its own and the other side's.
    int ShotsThisMatch() const { return shotsThisMatch_; }

    // GameLibraryListener: the library's notifications go on to the core,
    // its aim reports carry this player's hand.
    void OnShoot(const wire::Shot& shot) override;
    void OnTurnPassed() override;
    void OnAim(const wire::Aim& aim) override;
    void OnVictory(int result) override;

private:
    enum class Stage { Waiting, Thinking, Aiming };

    bool OwnTurn();
    void CountShots();
    void DropPlan();
    void Think(const wire::Positions& positions);
    void Aim(const ai::Decision& decision);
    void Shoot();

    FrontendCore& core_;
    ai::Level level_;
    uint64_t seed_;
    Report report_;

    Stage stage_ = Stage::Waiting;
    std::optional<uint64_t> restSince_;  // the tick the table was last seen come to rest
    wire::Positions restPositions_{};
    std::future<ai::Decision> thought_;  // in progress, or left behind by a dropped plan
    qint64 thinkStartMs_ = 0;
    uint64_t decisions_ = 0;
    ai::Decision decision_;
    std::optional<AimPlan> plan_;
    uint64_t aimStart_ = 0;
    wire::Aim hand_;  // while aiming; otherwise the hand rests
    bool wasMoving_ = false;
    bool matchWasRunning_ = false;
    int shotsThisMatch_ = 0;
};
