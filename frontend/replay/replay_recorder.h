// Records every match and practice run played on this machine's table as a
// replay. It only listens: to the events the frame loop applies (a shot
// fired, a turn passed by a peer or handed back here) and to what the game
// library reports after its calls (a match or run laid, a step run, the side
// to move set by a sync, this machine's own turn passing, the end, a table
// about to be left). Every physics step is reported, ticks that catch up
// run two, so the steps are counted exactly.
//
// A finished recording goes to the sink; one without a single shot is
// dropped, as nothing happened worth watching.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "frontend/library/game_event.h"
#include "frontend/library/game_library.h"
#include "frontend/replay/replay_format.h"

// What the recorder cannot see on the table: the players' names, the
// language, the version and whether the opponent is the computer. Asked once
// the match has settled its players, on its first physics step.
struct ReplayPeople {
    QString greenName, redName;  // practice: the player as green
    uint8_t language = 2;
    bool againstComputer = false;
};

class ReplayRecorder : public GameLibraryListener {
public:
    using Sink = std::function<void(const replay::Replay&)>;
    using PeopleSource = std::function<ReplayPeople()>;
    using Clock = std::function<int64_t()>;  // seconds since 1970

    // table: read for the fingerprints and the tables synced.
    ReplayRecorder(TableDriver& table, Sink sink, PeopleSource people, Clock clock = {});

    bool Recording() const { return recording_.has_value(); }

    // An event the frame loop applied.
    void OnApplied(const GameEvent& event);

    // The library's reports.
    void OnTurnPassed() override;
    void OnVictory(int result) override;
    void OnStepping() override;
    void OnStepped() override;
    // A sync writes the positions, then the side: the table it leaves is
    // whole only now.
    void OnSideSet() override;
    // A watched run is not recorded.
    void OnTableLaid(const TableStart& start) override;
    // Ends the recording now, as abandoned.
    void OnLeavingTable() override;

private:
    // A table as a recording refers to it: after so many steps, its fingerprint.
    struct TableAt {
        uint32_t step = 0;
        uint64_t fingerprint = 0;
    };

    bool Practice() const;
    void Begin(replay::Mode mode, replay::Seat seat, int32_t seedOrLevel);
    void Note(replay::Event event);
    uint64_t TableNow();
    void Finish(replay::End end, TableAt table);

    TableDriver& table_;
    Sink sink_;
    PeopleSource people_;
    Clock clock_;
    std::optional<replay::Replay> recording_;
    uint32_t steps_ = 0;
    bool peopleKnown_ = false;
    // Practice: the table as the step running found it. A run's end comes
    // inside the step that clears its table (and may lay another): the run
    // ended on the table before that step.
    TableAt beforeStep_;
};
