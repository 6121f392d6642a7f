#include "frontend/replay/replay_recorder.h"

#include <QDateTime>
#include <algorithm>

namespace {
int64_t SecondsNow() {
    return QDateTime::currentSecsSinceEpoch();
}
}  // namespace

ReplayRecorder::ReplayRecorder(TableDriver& table, Sink sink, PeopleSource people, Clock clock)
    : table_(table),
      sink_(std::move(sink)),
      people_(std::move(people)),
      clock_(clock ? std::move(clock) : Clock(SecondsNow)) {}

bool ReplayRecorder::Practice() const {
    return recording_ && recording_->header.mode == replay::Mode::Practice;
}

// In practice the front end hands a passed turn straight back: the run
// replays the same without either half.
void ReplayRecorder::OnApplied(const GameEvent& event) {
    if (const auto* shot = std::get_if<event::Shot>(&event)) Note(*shot);
    if (std::holds_alternative<event::PassTurn>(event) && !Practice()) Note(event::PassTurn{});
}

// This machine's own turn passing, reported after the step it happened in:
// it counts from the end of that step, when the table shows it.
void ReplayRecorder::OnTurnPassed() {
    if (!Practice()) Note(event::PassTurn{});
}

void ReplayRecorder::OnVictory(int result) {
    if (!recording_) return;
    const replay::End end{false, static_cast<uint8_t>(result)};
    Finish(end, Practice() ? beforeStep_ : TableAt{steps_, TableNow()});
}

// Only a practice run's end needs the table before a step kept.
void ReplayRecorder::OnStepping() {
    if (Practice()) beforeStep_ = {steps_, TableNow()};
}

void ReplayRecorder::OnStepped() {
    if (!recording_) return;
    ++steps_;
    if (!peopleKnown_) {
        // By the first step the session has put its players in their slots.
        const ReplayPeople people = people_();
        replay::Header& h = recording_->header;
        h.greenName = people.greenName;
        h.redName = h.mode == replay::Mode::Practice ? QString() : people.redName;
        h.language = people.language;
        if (people.againstComputer && h.mode == replay::Mode::Match) h.mode = replay::Mode::Computer;
        peopleKnown_ = true;
    }
}

void ReplayRecorder::OnSideSet() {
    if (!recording_) return;
    Note(wire::Sync{table_.ReadPositions(), static_cast<uint8_t>(table_.SideToMove())});
}

void ReplayRecorder::OnTableLaid(const TableStart& start) {
    if (start.watched) return;
    if (start.practice) {
        Begin(replay::Mode::Practice, replay::Seat::Green, 1);
        recording_->header.runSeed = start.runSeed;
        return;
    }
    const replay::Seat seat = start.seat == 1   ? replay::Seat::Green
                              : start.seat == 2 ? replay::Seat::Red
                                                : replay::Seat::Watching;
    Begin(replay::Mode::Match, seat, start.seed);
}

void ReplayRecorder::OnLeavingTable() {
    if (!recording_) return;
    Finish(replay::End{true, replay::kNoResult}, {steps_, TableNow()});
}

void ReplayRecorder::Begin(replay::Mode mode, replay::Seat seat, int32_t seedOrLevel) {
    recording_.emplace();
    replay::Header& h = recording_->header;
    h.gameVersion = QString::fromLatin1(wire::kVersionString);
    h.date = clock_();
    h.mode = mode;
    h.seat = seat;
    h.seedOrLevel = seedOrLevel;
    steps_ = 0;
    peopleKnown_ = false;
}

void ReplayRecorder::Note(replay::Event event) {
    if (!recording_) return;
    recording_->events.push_back({steps_, std::move(event)});
}

uint64_t ReplayRecorder::TableNow() {
    return replay::TableFingerprint(table_.ReadPositions(), table_.SideToMove());
}

void ReplayRecorder::Finish(replay::End end, TableAt table) {
    replay::Replay done = std::move(*recording_);
    recording_.reset();
    const bool anyShot = std::any_of(done.events.begin(), done.events.end(), [](const auto& e) {
        return std::holds_alternative<wire::Shot>(e.event);
    });
    if (!anyShot) return;
    done.events.push_back({table.step, end});
    done.fingerprint = table.fingerprint;
    if (sink_) sink_(done);
}
