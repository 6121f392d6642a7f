#include "frontend/core/frame_loop.h"

#include <thread>

namespace {
constexpr int kCatchUpFps = 54;
constexpr int kCatchUpEvery = 4;
constexpr int kTickCounterWrap = 60;
}  // namespace

FrameLoop::FrameLoop(EventQueue& queue, OnlineGame& game, GameLibrary& library)
    : queue_(queue), game_(game), library_(library) {
    clock_.start();
    lastTickMs_ = clock_.elapsed();
}

void FrameLoop::Tick() {
    if (!engineRunning_) return;
    ++ticksRun_;
    MeasureTiming();
    if (!queue_.Empty() && !library_.IsMoving()) ApplyHeadEntry();
    if (library_.SideToMove() != library_.LocalSeat()) SmoothRemoteAim();

    const bool restingBeforeStep = !library_.IsMoving();
    library_.StepPhysics();
    if (measuredFps_ <= kCatchUpFps && tickCounter_ % kCatchUpEvery == 0) library_.StepPhysics();
    tableSettled_ = restingBeforeStep && !library_.IsMoving();
    if (tickCounter_ % renderDivider_ == 0) library_.Render();
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

void FrameLoop::ApplyHeadEntry() {
    const QByteArray entry = queue_.Head();
    const QByteArray payload = entry.mid(1);
    switch (entry[0]) {
        case queue_entry::kShot:
            // Refused while discs move: the shot stays at the head and is tried again.
            if (const auto shot = wire::DecodeShot(payload)) {
                if (library_.Shoot(*shot)) queue_.PopHead();
                return;
            }
            break;
        case queue_entry::kTurn:
            if (library_.PassTurnFromPeer()) queue_.PopHead();
            return;
        case queue_entry::kAim:
            if (const auto aim = wire::DecodeAim(payload)) {
                aimTarget_ = {aim->z, aim->x, aim->force, aim->angle};
                aimPhase_ = aim->phase;
                queue_.PopHead();
                return;
            }
            break;
        case queue_entry::kSendSync:
            if (const auto id = wire::ParseDecimal(payload)) {
                queue_.PopHead();
                game_.SendSync(
                    *id, {library_.ReadPositions(), static_cast<uint8_t>(library_.SideToMove())});
                return;
            }
            break;
        case queue_entry::kApplySync:
            if (const auto sync = wire::DecodeSync(payload)) {
                library_.WritePositions(sync->positions);
                library_.SetSideToMove(sync->side);
                queue_.PopHead();
                game_.ReportSyncApplied();
                return;
            }
            break;
        case queue_entry::kAnswerVerify:
            if (!tableSettled_) return;
            queue_.PopHead();
            game_.SendGameMessage(wire::kVerify +
                                  wire::EncodeVerify(library_.ReadPositions(), game_.MySlot()));
            return;
        case queue_entry::kCompare:
            if (!tableSettled_) return;
            if (const auto verify = wire::DecodeVerify(payload)) {
                queue_.PopHead();
                game_.CompareWithClient(*verify, library_.ReadPositions());
                return;
            }
            break;
        case queue_entry::kMatchOver:
            queue_.PopHead();
            game_.StartMatchOverCountdown();
            return;
        default:
            break;
    }
    // Entries are made from checked messages, so this is a fault of ours;
    // dropping the entry keeps the queue moving.
    qWarning("frame loop: malformed queue entry '%c' of %lld bytes dropped", entry[0],
             static_cast<long long>(entry.size()));
    queue_.PopHead();
}

void FrameLoop::SmoothRemoteAim() {
    for (size_t i = 0; i < aimCurrent_.size(); ++i) {
        float& current = aimCurrent_[i];
        const float target = aimTarget_[i];
        if (current < target) current += (target - current) / 10;
        if (current > target) current -= (current - target) / 10;
    }
    library_.ShowRemoteAim(aimCurrent_);
}
