// Plays a replay on a table the way a spectator's machine follows a match:
// the match started as a watcher with the recorded seed, then each event
// applied once the physics has run as many steps as when it was recorded
// (a shot or a turn change waits, as in the frame loop, while discs still
// move), one physics step at a time. After the end's step the table's
// fingerprint is compared with the recorded one: a replay from a program
// with other physics reaches another table, and says so.
//
// A practice run is played as a watched run from the recorded seed: its
// levels change on its steps, and a passed turn is handed straight back, as
// the front end does for the player.
#pragma once

#include <cstdint>
#include <optional>

#include "frontend/library/game_library.h"
#include "frontend/replay/replay_format.h"

class ReplayPlayer {
public:
    ReplayPlayer(const replay::Replay& replay, TableDriver& table, TableScreen& screen);

    // Whether this replay can be played here; a practice run recorded
    // without its seed cannot.
    static bool IsPlayable(const replay::Replay& replay) {
        return replay.header.mode != replay::Mode::Practice || replay.header.runSeed.has_value();
    }

    // Lays out the recorded match's or run's table, watched.
    void Start();
    // The events due now, then one physics step. Nothing once finished.
    void Step();
    bool Finished() const { return finalFingerprint_.has_value(); }
    // Once finished: whether the table ended where the recording did.
    bool Matches() const { return finalFingerprint_ == replay_.fingerprint; }
    uint64_t FinalFingerprint() const { return finalFingerprint_.value_or(0); }

    uint32_t StepsRun() const { return steps_; }
    uint32_t LastStep() const { return replay_.events.back().step; }
    int ShotsPlayed() const { return shotsPlayed_; }
    int ShotCount() const;
    // The step on which the next shot is due, or nullopt when none is left.
    std::optional<uint32_t> NextShotStep() const;
    std::optional<wire::Shot> NextShot() const;
    const replay::Replay& Replay() const { return replay_; }

private:
    bool Practice() const { return replay_.header.mode == replay::Mode::Practice; }
    const replay::TimedEvent* NextShotEvent() const;
    // False while the table cannot take the event yet.
    bool Apply(const replay::Event& event);

    replay::Replay replay_;
    TableDriver& table_;
    TableScreen& screen_;
    size_t next_ = 0;
    uint32_t steps_ = 0;
    int shotsPlayed_ = 0;
    std::optional<uint64_t> finalFingerprint_;
};

// Plays the whole replay at once, without pauses; for tools and tests.
// Answers the player as it finished.
void PlayToEnd(ReplayPlayer& player);
