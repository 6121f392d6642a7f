#include "bot/bot_player.h"

#include <QDateTime>
#include <algorithm>

#include "ai/seeded_random.h"
#include "bot/table_snapshot.h"

namespace {

// The visible aim before a shot: one to two seconds of ticks.
constexpr int kShortestAimTicks = 60;
constexpr int kLongestAimTicks = 120;
// The turn clock counts steps at rest; a tick runs one step, or two when
// the loop catches up every fourth tick. The shot leaves this many steps of
// the clock unused.
constexpr int kTurnClockSteps = 3600;
constexpr float kMostStepsPerTick = 1.25f;
constexpr int kSpareClockSteps = 600;

bool IsPlayingSeat(int seat) {
    return seat == kSideGreen || seat == kSideRed;
}

}  // namespace

BotPlayer::BotPlayer(FrontendCore& core, ai::Level level, uint64_t seed, Report report)
    : core_(core), level_(level), seed_(seed), report_(std::move(report)) {}

BotPlayer::~BotPlayer() {
    core_.Library().Detach(this);
    if (thought_.valid()) thought_.wait();
}

void BotPlayer::Attach() {
    core_.Library().Attach(this);
}

// ---- the library's notifications ------------------------------------------------

void BotPlayer::OnShoot(const wire::Shot& shot) {
    core_.Callbacks().OnShoot(shot);
}

void BotPlayer::OnTurnPassed() {
    core_.Callbacks().OnTurnPassed();
}

// The library reports the aim three times a second during this machine's
// turn; the aim it knows is a mouse's, and this player has a hand instead.
void BotPlayer::OnAim(const wire::Aim&) {
    core_.Callbacks().OnAim(stage_ == Stage::Aiming ? hand_
                                                    : AimPlan::Resting(core_.Library().LocalSeat()));
}

void BotPlayer::OnVictory(int result) {
    report_(QStringLiteral("RESULT %1 %2").arg(result).arg(shotsThisMatch_));
    core_.Callbacks().OnVictory(result);
}

// ---- playing ----------------------------------------------------------------------

bool BotPlayer::OwnTurn() {
    GameLibrary& library = core_.Library();
    const int seat = library.LocalSeat();
    return core_.Online().MatchRunning() && IsPlayingSeat(seat) && library.SideToMove() == seat;
}

void BotPlayer::CountShots() {
    const bool running = core_.Online().MatchRunning();
    if (running && !matchWasRunning_) shotsThisMatch_ = 0;
    matchWasRunning_ = running;
    // Every shot, this player's or the other side's, sets the table moving
    // for dozens of steps.
    const bool moving = core_.Library().IsMoving();
    if (moving && !wasMoving_ && running) ++shotsThisMatch_;
    wasMoving_ = moving;
}

void BotPlayer::Poll() {
    CountShots();
    GameLibrary& library = core_.Library();
    // A check of the table the host asks for, or an aim the other side
    // shows, leaves the table as it is: the plan stays.
    const bool atRest = !library.IsMoving() && !core_.Queue().HoldsTableChange();
    if (!OwnTurn() || !atRest) {
        DropPlan();
        restSince_.reset();
        return;
    }
    // The table counts as settled once it stayed put over a whole tick: the
    // step that ends a shot may leave a returned disc off the table's grid
    // for one step more.
    const uint64_t tick = core_.Loop().TicksRun();
    const wire::Positions positions = library.ReadPositions();
    if (!restSince_ || positions != restPositions_) {
        DropPlan();
        restSince_ = tick;
        restPositions_ = positions;
        return;
    }
    if (tick == *restSince_) return;

    switch (stage_) {
        case Stage::Waiting:
            Think(positions);
            break;
        case Stage::Thinking:
            if (thought_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
                Aim(thought_.get());
            }
            break;
        case Stage::Aiming: {
            const int aimTick = static_cast<int>(tick - aimStart_);
            hand_ = plan_->At(aimTick);
            if (plan_->Done(aimTick)) Shoot();
            break;
        }
    }
}

void BotPlayer::DropPlan() {
    if (stage_ == Stage::Waiting) return;
    stage_ = Stage::Waiting;
    plan_.reset();
}

void BotPlayer::Think(const wire::Positions& positions) {
    // A search left behind by a dropped plan finishes first: one at a time.
    if (thought_.valid()) {
        if (thought_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
        thought_.get();
    }
    const GameState table =
        SnapshotTable(positions, core_.Library().SideToMove(), core_.Online().MatchSeed());
    const uint64_t seed = ai::MixSeed(seed_, decisions_++);
    const ai::Level level = level_;
    thought_ = std::async(std::launch::async,
                          [table, level, seed] { return ai::ChooseShot(table, level, seed); });
    thinkStartMs_ = QDateTime::currentMSecsSinceEpoch();
    stage_ = Stage::Thinking;
}

void BotPlayer::Aim(const ai::Decision& decision) {
    decision_ = decision;
    const uint64_t tick = core_.Loop().TicksRun();
    // A long think on a busy machine shortens the aim, so the shot still
    // goes off well inside the turn clock.
    const auto stepsUsed =
        static_cast<int>(kMostStepsPerTick * static_cast<float>(tick - *restSince_));
    const int stepsLeft = kTurnClockSteps - kSpareClockSteps - stepsUsed;
    ai::SeededRandom random(ai::MixSeed(seed_, ~decisions_));
    const int wanted = static_cast<int>(random.Between(kShortestAimTicks, kLongestAimTicks + 1));
    const int aimTicks =
        std::clamp(static_cast<int>(static_cast<float>(stepsLeft) / kMostStepsPerTick), 0, wanted);
    plan_.emplace(AimPlan::Resting(core_.Library().LocalSeat()), decision.played, aimTicks);
    hand_ = plan_->At(0);
    aimStart_ = tick;
    stage_ = Stage::Aiming;
    report_(QStringLiteral("DECIDED %1 simulations in %2 ms")
                .arg(decision.simulations)
                .arg(QDateTime::currentMSecsSinceEpoch() - thinkStartMs_));
}

void BotPlayer::Shoot() {
    const ai::Shot& s = decision_.played;
    stage_ = Stage::Waiting;
    plan_.reset();
    // Exactly what the library reports when a person's cue reaches the striker.
    core_.Callbacks().OnShoot({s.x, s.z, s.force, s.angle});
    report_(QStringLiteral("SHOT %1 %2 %3 %4")
                .arg(double(s.x), 0, 'g', 9)
                .arg(double(s.z), 0, 'g', 9)
                .arg(double(s.force), 0, 'g', 9)
                .arg(double(s.angle), 0, 'g', 9));
}
