#include "frontend/replay/replay_player.h"

#include <algorithm>

namespace {
constexpr int kWatch = 0;  // the seat of a spectator
constexpr int kGreen = 0;
}  // namespace

ReplayPlayer::ReplayPlayer(const replay::Replay& replay, TableDriver& table, TableScreen& screen)
    : replay_(replay), table_(table), screen_(screen) {}

void ReplayPlayer::Start() {
    next_ = 0;
    steps_ = 0;
    shotsPlayed_ = 0;
    finalFingerprint_.reset();
    if (Practice()) {
        screen_.StartPracticeRun(replay_.header.greenName, replay_.header.runSeed.value_or(0),
                                 true);
    } else {
        screen_.StartMatch(kWatch, replay_.header.seedOrLevel);
    }
}

void ReplayPlayer::Step() {
    if (Finished()) return;
    while (next_ < replay_.events.size() && replay_.events[next_].step <= steps_) {
        const replay::Event& event = replay_.events[next_].event;
        if (std::holds_alternative<replay::End>(event)) {
            finalFingerprint_ =
                replay::TableFingerprint(table_.ReadPositions(), table_.SideToMove());
            return;
        }
        if (!Apply(event)) break;
        ++next_;
    }
    table_.StepPhysics();
    // A foul or the turn clock passes the turn inside the step; in practice
    // the player's front end gives it straight back, before anything else
    // reaches the table.
    if (Practice() && table_.SideToMove() != kGreen) table_.PassTurnFromPeer();
    ++steps_;
}

bool ReplayPlayer::Apply(const replay::Event& event) {
    if (const auto* shot = std::get_if<wire::Shot>(&event)) {
        if (!table_.Shoot(*shot)) return false;
        ++shotsPlayed_;
        return true;
    }
    if (std::holds_alternative<replay::PassTurn>(event)) return table_.PassTurnFromPeer();
    if (const auto* sync = std::get_if<wire::Sync>(&event)) {
        table_.WritePositions(sync->positions);
        table_.SetSideToMove(sync->side);
    }
    return true;
}

int ReplayPlayer::ShotCount() const {
    return static_cast<int>(
        std::count_if(replay_.events.begin(), replay_.events.end(), [](const auto& e) {
            return std::holds_alternative<wire::Shot>(e.event);
        }));
}

const replay::TimedEvent* ReplayPlayer::NextShotEvent() const {
    for (size_t i = next_; i < replay_.events.size(); ++i) {
        if (std::holds_alternative<wire::Shot>(replay_.events[i].event)) return &replay_.events[i];
    }
    return nullptr;
}

std::optional<uint32_t> ReplayPlayer::NextShotStep() const {
    const replay::TimedEvent* e = NextShotEvent();
    return e ? std::optional<uint32_t>(e->step) : std::nullopt;
}

std::optional<wire::Shot> ReplayPlayer::NextShot() const {
    const replay::TimedEvent* e = NextShotEvent();
    return e ? std::optional<wire::Shot>(std::get<wire::Shot>(e->event)) : std::nullopt;
}

void PlayToEnd(ReplayPlayer& player) {
    player.Start();
    // The end is due on its step; a table that never takes an event stops
    // there too, as nothing would ever change.
    while (!player.Finished()) player.Step();
}
