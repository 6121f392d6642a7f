#include "frontend/core/frame_loop.h"

#include <thread>

#include "frontend/core/table_positions.h"
#include "game/exports.h"

namespace {
constexpr int kCatchUpFps = 54;
constexpr int kCatchUpEvery = 4;
constexpr int kTickCounterWrap = 60;
}  // namespace

FrameLoop::FrameLoop(EventQueue& queue, OnlineGame& game) : queue_(queue), game_(game) {
    clock_.start();
    lastTickMs_ = clock_.elapsed();
}

void FrameLoop::Tick() {
    if (!engineRunning_) return;
    ++ticksRun_;
    MeasureTiming();
    if (!queue_.Empty() && !GetIsMoving()) ApplyHeadEntry();
    if (GetPlayer_Atual() != GetPlayer_Host()) SmoothRemoteAim();

    AtualizaDiscos();
    if (measuredFps_ <= kCatchUpFps && tickCounter_ % kCatchUpEvery == 0) AtualizaDiscos();
    if (tickCounter_ % renderDivider_ == 0) RenderCena();
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
        case queue_entry::kShot: {
            const wire::Shot s = *wire::DecodeShot(payload);
            if (DispararTiro(s.x, s.z, s.force, s.angle)) queue_.PopHead();
            return;
        }
        case queue_entry::kTurn:
            if (MudaJogador(0)) queue_.PopHead();
            return;
        case queue_entry::kAim: {
            const wire::Aim a = *wire::DecodeAim(payload);
            aimTarget_ = {a.z, a.x, a.force, a.angle};
            aimPhase_ = a.phase;
            queue_.PopHead();
            return;
        }
        case queue_entry::kSendSync: {
            queue_.PopHead();
            if (const auto id = wire::ParseDecimal(payload)) game_.SendSync(*id);
            return;
        }
        case queue_entry::kApplySync: {
            const wire::Sync s = *wire::DecodeSync(payload);
            WriteTablePositions(s.positions);
            SetPlayer_Atual(s.side);
            queue_.PopHead();
            game_.ReportSyncApplied();
            return;
        }
        case queue_entry::kAnswerVerify:
            queue_.PopHead();
            game_.SendGameMessage(wire::kVerify +
                                  wire::EncodeVerify(ReadTablePositions(), game_.MySlot()));
            return;
        case queue_entry::kCompare:
            queue_.PopHead();
            game_.CompareWithClient(payload);
            return;
        case queue_entry::kMatchOver:
            queue_.PopHead();
            game_.StartMatchOverCountdown();
            return;
        default:
            qWarning("frame loop: unknown queue entry '%c' dropped", entry[0]);
            queue_.PopHead();
    }
}

void FrameLoop::SmoothRemoteAim() {
    for (size_t i = 0; i < aimCurrent_.size(); ++i) {
        float& current = aimCurrent_[i];
        const float target = aimTarget_[i];
        if (current < target) current += (target - current) / 10;
        if (current > target) current -= (current - target) / 10;
    }
    SetaShooting(aimCurrent_[0], aimCurrent_[1], aimCurrent_[2], aimCurrent_[3], 1);
}
