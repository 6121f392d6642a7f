#include "frontend/replay/replay_recorder.h"

#include <QDateTime>
#include <algorithm>

namespace {
int64_t SecondsNow() {
    return QDateTime::currentSecsSinceEpoch();
}
}  // namespace

ReplayRecorder::ReplayRecorder(GameLibrary& library, Sink sink, PeopleSource people, Clock clock)
    : library_(library),
      sink_(std::move(sink)),
      people_(std::move(people)),
      clock_(clock ? std::move(clock) : Clock(SecondsNow)) {}

ReplayRecorder::~ReplayRecorder() {
    library_.Detach(this);
}

void ReplayRecorder::Attach(GameLibraryListener* listener) {
    listener_ = listener;
    library_.Attach(listener ? this : nullptr);
}

void ReplayRecorder::Detach(GameLibraryListener* listener) {
    if (listener_ != listener) return;
    listener_ = nullptr;
    library_.Detach(this);
}

void ReplayRecorder::Shutdown() {
    Abandon();
    library_.Shutdown();
}

bool ReplayRecorder::Shoot(const wire::Shot& shot) {
    if (!library_.Shoot(shot)) return false;
    Note(shot);
    return true;
}

// In practice the front end hands a passed turn straight back: the run
// replays the same without either half.
bool ReplayRecorder::PassTurnFromPeer() {
    if (!library_.PassTurnFromPeer()) return false;
    if (recording_ && recording_->header.mode != replay::Mode::Practice) Note(replay::PassTurn{});
    return true;
}

// A sync writes the positions, then the side: the table it leaves is whole
// only now.
void ReplayRecorder::SetSideToMove(int side) {
    library_.SetSideToMove(side);
    if (!recording_) return;
    wire::Sync sync{library_.ReadPositions(), static_cast<uint8_t>(library_.SideToMove())};
    Note(sync);
}

void ReplayRecorder::StepPhysics() {
    inStep_ = true;
    library_.StepPhysics();
    inStep_ = false;
    if (!recording_) return;
    ++steps_;
    // Only a practice run's end needs the table of its last step kept: it
    // comes inside the step that clears the table.
    if (recording_->header.mode == replay::Mode::Practice) fingerprint_ = TableNow();
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
    if (endAfterStep_) {
        const replay::End end = *endAfterStep_;
        endAfterStep_.reset();
        Finish(end, TableNow());
    }
}

void ReplayRecorder::ShowIntro() {
    Abandon();
    library_.ShowIntro();
}

void ReplayRecorder::StartMatch(int seat, int seed) {
    Abandon();
    library_.StartMatch(seat, seed);
    const replay::Seat recordedSeat = seat == 1   ? replay::Seat::Green
                                      : seat == 2 ? replay::Seat::Red
                                                  : replay::Seat::Watching;
    Begin(replay::Mode::Match, recordedSeat, seed);
}

void ReplayRecorder::StartPractice(const QString& playerName) {
    StartPracticeRun(playerName, static_cast<uint32_t>(clock_()), false);
}

void ReplayRecorder::StartPracticeRun(const QString& playerName, uint32_t seed, bool watched) {
    Abandon();
    library_.StartPracticeRun(playerName, seed, watched);
    if (watched) return;
    Begin(replay::Mode::Practice, replay::Seat::Green, 1);
    recording_->header.runSeed = seed;
}

void ReplayRecorder::ShowBestScores() {
    Abandon();
    library_.ShowBestScores();
}

void ReplayRecorder::OnShoot(const wire::Shot& shot) {
    if (listener_) listener_->OnShoot(shot);
}

// This machine's own turn passing: the library did it inside a step, so it
// counts from the end of that step, when the table shows it.
void ReplayRecorder::OnTurnPassed() {
    if (recording_ && recording_->header.mode != replay::Mode::Practice) Note(replay::PassTurn{});
    if (listener_) listener_->OnTurnPassed();
}

void ReplayRecorder::OnAim(const wire::Aim& aim) {
    if (listener_) listener_->OnAim(aim);
}

void ReplayRecorder::OnVictory(int result) {
    if (recording_) {
        const replay::End end{false, static_cast<uint8_t>(result)};
        if (inStep_ && recording_->header.mode != replay::Mode::Practice) {
            endAfterStep_ = end;
        } else {
            // A practice run is over once its closing wait, inside a step,
            // has cleared the table (and may have laid another): the run
            // ended on the table the step before left.
            Finish(end, fingerprint_);
        }
    }
    if (listener_) listener_->OnVictory(result);
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
    endAfterStep_.reset();
    fingerprint_ = TableNow();
}

void ReplayRecorder::Note(replay::Event event) {
    if (!recording_) return;
    recording_->events.push_back({steps_ + (inStep_ ? 1u : 0u), std::move(event)});
}

uint64_t ReplayRecorder::TableNow() {
    return replay::TableFingerprint(library_.ReadPositions(), library_.SideToMove());
}

void ReplayRecorder::Abandon() {
    if (!recording_) return;
    Finish(replay::End{true, replay::kNoResult}, TableNow());
}

void ReplayRecorder::Finish(replay::End end, uint64_t fingerprint) {
    replay::Replay done = std::move(*recording_);
    recording_.reset();
    const bool anyShot = std::any_of(done.events.begin(), done.events.end(), [](const auto& e) {
        return std::holds_alternative<wire::Shot>(e.event);
    });
    if (!anyShot) return;
    done.events.push_back({steps_, end});
    done.fingerprint = fingerprint;
    if (sink_) sink_(done);
}
