#include "frontend/session/frame_loop.h"

#include <thread>
#include <variant>

namespace {
constexpr int kCatchUpFps = 54;
constexpr int kCatchUpEvery = 4;
constexpr int kTickCounterWrap = 60;
}  // namespace

FrameLoop::FrameLoop(EventQueue& queue, OnlineGame& game, TableDriver& table)
    : queue_(queue), game_(game), table_(table) {
    clock_.start();
    lastTickMs_ = clock_.elapsed();
}

void FrameLoop::Tick() {
    if (!engineRunning_) return;
    ++ticksRun_;
    MeasureTiming();
    if (!queue_.Empty() && !table_.IsMoving()) ApplyHeadEvent();
    if (table_.SideToMove() != table_.LocalSeat()) SmoothRemoteAim();

    const bool restingBeforeStep = !table_.IsMoving();
    table_.StepPhysics();
    if (measuredFps_ <= kCatchUpFps && tickCounter_ % kCatchUpEvery == 0) table_.StepPhysics();
    tableSettled_ = restingBeforeStep && !table_.IsMoving();
    if (tickCounter_ % renderDivider_ == 0) table_.Render();
    if (++tickCounter_ == kTickCounterWrap) tickCounter_ = 1;
    game_.AdvanceCountdown();
}

void FrameLoop::MeasureTiming() {
    qint64 d = clock_.elapsed() - lastTickMs_;
    if (d < minimumTickMs_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(minimumTickMs_ - d));
    }
    lastTickMs_ = clock_.elapsed();
    msThisSecond_ += static_cast<int>(d);
    ++ticksThisSecond_;
    if (msThisSecond_ >= 1000) {
        measuredFps_ = ticksThisSecond_;
        msThisSecond_ = ticksThisSecond_ = 0;
    }
}

void FrameLoop::ApplyHeadEvent() {
    // A copy: applying an event reaches the online game, which may clear the queue.
    const GameEvent event = queue_.Head();
    if (!std::visit([this](const auto& e) { return Apply(e); }, event)) return;
    queue_.PopHead();
    if (observer_) observer_(event);
}

// Refused while discs move.
bool FrameLoop::Apply(const event::Shot& shot) {
    return table_.Shoot(shot);
}

bool FrameLoop::Apply(const event::PassTurn&) {
    return table_.PassTurnFromPeer();
}

bool FrameLoop::Apply(const event::Aim& aim) {
    aimTarget_ = aim;
    return true;
}

bool FrameLoop::Apply(const event::SendSync& request) {
    game_.SendSync(request.connectionId,
                   {table_.ReadPositions(), static_cast<uint8_t>(table_.SideToMove())});
    return true;
}

bool FrameLoop::Apply(const event::Sync& sync) {
    table_.WritePositions(sync.positions);
    table_.SetSideToMove(sync.side);
    // On a table laid out afresh (a match joined or rejoined while it runs)
    // the discs the host has pocketed lie in their holes still counted as on
    // the table; they fall in the next step and count for their colour, as
    // where they first fell. That is no shot: the turn it would decide for
    // the player to move is not the table's, and is taken back unsent.
    game_.SetSettlingSyncedTable(true);
    table_.StepPhysics();
    game_.SetSettlingSyncedTable(false);
    table_.SetSideToMove(sync.side);
    game_.ReportSyncApplied();
    return true;
}

bool FrameLoop::Apply(const event::AnswerVerify&) {
    if (!tableSettled_) return false;
    game_.SendGameMessage(wire::kVerify +
                          wire::EncodeVerify(table_.ReadPositions(), game_.MySlot()));
    return true;
}

bool FrameLoop::Apply(const event::Verify& answer) {
    if (!tableSettled_) return false;
    game_.CompareWithClient(answer, table_.ReadPositions());
    return true;
}

bool FrameLoop::Apply(const event::VerifyReference&) {
    if (!tableSettled_) return false;
    game_.KeepVerifyReference(table_.ReadPositions());
    return true;
}

bool FrameLoop::Apply(const event::MatchOver&) {
    game_.StartMatchOverCountdown();
    return true;
}

void FrameLoop::SmoothRemoteAim() {
    const auto approach = [](float& shown, float target) {
        if (shown < target) shown += (target - shown) / 10;
        if (shown > target) shown -= (shown - target) / 10;
    };
    approach(aimShown_.z, aimTarget_.z);
    approach(aimShown_.x, aimTarget_.x);
    approach(aimShown_.force, aimTarget_.force);
    approach(aimShown_.angle, aimTarget_.angle);
    table_.ShowRemoteAim(aimShown_);
}
