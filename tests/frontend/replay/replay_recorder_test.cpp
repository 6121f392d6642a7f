// The recorder beside the front end: it hears the library's reports and the
// events applied, and writes down each change to the table on the physics
// step it took effect, so that a watcher's table playing the recording meets
// the same events at the same steps and ends on the same table.
#include <gtest/gtest.h>

#include "frontend/library/table_events.h"
#include "frontend/replay/replay_player.h"
#include "frontend/replay/replay_recorder.h"
#include "tests/frontend/core/recording_library.h"

namespace {

using namespace replay;

constexpr int64_t kNow = 1765280000;
constexpr wire::Shot kGreenShot{0.0f, 21.5f, 10.0f, 0.0f};
constexpr wire::Shot kRedShot{2.0f, -21.5f, 8.0f, 0.2f};

// What the front end's own listener heard beside the recorder.
struct HeardListener : GameLibraryListener {
    void OnShoot(const wire::Shot&) override { ++shots; }
    void OnTurnPassed() override { ++turns; }
    void OnAim(const wire::Aim&) override { ++aims; }
    void OnVictory(int r) override { results.push_back(r); }
    int shots = 0, turns = 0, aims = 0;
    std::vector<int> results;
};

class ReplayRecorderTest : public ::testing::Test {
protected:
    ReplayRecorderTest()
        : recorder(
              library, [this](const Replay& r) { kept.push_back(r); },
              [this] { return people; }, [] { return kNow; }) {
        library.practiceSeed = uint32_t(kNow);
        library.Observe(&recorder);
        library.Attach(&heard);
    }

    void Steps(int n) {
        for (int i = 0; i < n; ++i) library.StepPhysics();
    }
    // An event applied as the frame loop applies it, and shown to the recorder.
    template <typename Event>
    bool Apply(const Event& event) {
        if (!TakeOnTable(library, event)) return false;
        recorder.OnApplied(event);
        return true;
    }
    // A shot played to rest: fired at rest, then the steps it moves for.
    void PlayShot(const wire::Shot& shot) {
        ASSERT_TRUE(Apply(shot));
        Steps(RecordingLibrary::kShotSteps);
    }

    RecordingLibrary library;
    HeardListener heard;
    ReplayPeople people{QStringLiteral("Ana"), QStringLiteral("Bob"), 3, false};
    std::vector<Replay> kept;
    ReplayRecorder recorder;
};

TEST_F(ReplayRecorderTest, AWatchedMatchIsKeptWithItsPeopleEventsStepsAndResult) {
    library.StartMatch(0, 417);
    ASSERT_EQ(library.matches.size(), 1u);
    Steps(5);
    PlayShot(kGreenShot);  // fired before step 6
    Steps(2);
    ASSERT_TRUE(Apply(event::PassTurn{}));  // before step 11
    library.positions[3] = 7.5f;
    library.WritePositions(library.positions);
    library.SetSideToMove(1);  // a sync, before step 11 too
    PlayShot(kRedShot);
    library.duringNextStep = {report::Victory{2}};
    Steps(1);  // the step that decides the match: step 14

    ASSERT_EQ(kept.size(), 1u);
    const Replay& r = kept[0];
    EXPECT_EQ(r.header, (Header{QStringLiteral("v1.1"), kNow, Mode::Match, Seat::Watching, 3, 417,
                                QStringLiteral("Ana"), QStringLiteral("Bob"), std::nullopt}));
    wire::Sync sync{library.positions, 1};
    const std::vector<TimedEvent> expected = {{5, kGreenShot}, {10, PassTurn{}}, {10, sync},
                                              {10, kRedShot},  {14, End{false, 2}}};
    EXPECT_EQ(r.events, expected);
    EXPECT_EQ(r.fingerprint, TableFingerprint(library.positions, 1));
    EXPECT_EQ(heard.results, std::vector<int>{2});
    EXPECT_FALSE(recorder.Recording());
}

TEST_F(ReplayRecorderTest, ATurnThisMachinePassesInsideAStepCountsFromTheEndOfThatStep) {
    library.StartMatch(1, 5);
    PlayShot(kGreenShot);
    library.duringNextStep = {report::TurnPassed{}};
    Steps(1);  // step 4 passes the turn
    EXPECT_EQ(heard.turns, 1);  // the front end still sends it on
    library.ShowIntro();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].header.seat, Seat::Green);
    ASSERT_EQ(kept[0].events.size(), 3u);
    EXPECT_EQ(kept[0].events[1], (TimedEvent{4, PassTurn{}}));
    EXPECT_EQ(kept[0].events[2], (TimedEvent{4, End{true, kNoResult}}));
    EXPECT_EQ(library.introsShown, 1);
}

TEST_F(ReplayRecorderTest, EveryWayOutOfAMatchKeepsItAsAbandonedAndOnlyMatchesWithAShotAreKept) {
    library.StartMatch(2, 9);
    Steps(30);
    library.ShowIntro();  // not one shot: nothing to watch
    EXPECT_TRUE(kept.empty());

    library.StartMatch(2, 9);
    PlayShot(kGreenShot);
    library.StartMatch(2, 10);  // the next match before this one ended
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].events.back().event, (Event{End{true, kNoResult}}));
    EXPECT_EQ(kept[0].header.seat, Seat::Red);
    PlayShot(kRedShot);
    library.ShowBestScores();
    library.StartPractice(QStringLiteral("Ana"));
    PlayShot(kGreenShot);
    library.Shutdown();
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[1].header.seedOrLevel, 10);
    EXPECT_EQ(kept[2].header.mode, Mode::Practice);
    EXPECT_EQ(kept[2].header.redName, QString());
    EXPECT_EQ(library.shutdowns, 1);
}

TEST_F(ReplayRecorderTest, AMatchAgainstTheComputerSaysSo) {
    people.againstComputer = true;
    library.StartMatch(1, 3);
    PlayShot(kGreenShot);
    library.ShowIntro();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].header.mode, Mode::Computer);
}

// In practice the front end hands every passed turn straight back: neither
// half changes the run, and neither is written.
TEST_F(ReplayRecorderTest, PracticeKeepsItsSeedAndShotsButNotTheTurnsHandedBack) {
    library.StartPractice(QStringLiteral("Ana"));
    // Seeded as the library would seed it, from the calendar clock, and told.
    ASSERT_EQ(library.practiceRuns.size(), 1u);
    EXPECT_EQ(library.practiceRuns[0].name, QStringLiteral("Ana"));
    EXPECT_EQ(library.practiceRuns[0].seed, uint32_t(kNow));
    EXPECT_FALSE(library.practiceRuns[0].watched);
    PlayShot(kGreenShot);
    library.duringNextStep = {report::TurnPassed{}};
    Steps(1);
    ASSERT_TRUE(Apply(event::PassTurn{}));  // handed back once the step is over
    heard.OnVictory(0);  // heard, not through the library: nothing changes
    const uint64_t lastTable = TableFingerprint(library.positions, library.side);
    // The run's closing wait ends inside a step, which clears the table and
    // may lay another: the run ended on the table before that step.
    library.insideNextStep = [this] { library.positions[0] = 12.5f; };
    library.duringNextStep = {report::Victory{0}};
    Steps(1);
    ASSERT_EQ(kept.size(), 1u);
    ASSERT_EQ(kept[0].events.size(), 2u);
    EXPECT_EQ(kept[0].events[1], (TimedEvent{4, End{false, 0}}));
    EXPECT_EQ(kept[0].fingerprint, lastTable);
    EXPECT_EQ(kept[0].header.greenName, QStringLiteral("Ana"));
    EXPECT_EQ(kept[0].header.runSeed, uint32_t(kNow));
    EXPECT_EQ(heard.results, (std::vector<int>{0, 0}));

    // A run watched while the recorder hears is not recorded again.
    library.StartPracticeRun(QStringLiteral("Ana"), 9, true);
    EXPECT_TRUE(library.practiceRuns.back().watched);
    EXPECT_FALSE(recorder.Recording());
    PlayShot(kGreenShot);
    library.ShowIntro();
    EXPECT_EQ(kept.size(), 1u);
}

// A practice run comes back watched, from its seed; the turn a foul passes
// inside a step is handed back as the player's front end did.
TEST_F(ReplayRecorderTest, APracticeRunIsPlayedWatchedFromItsSeedWithPassedTurnsHandedBack) {
    library.StartPractice(QStringLiteral("Ana"));
    PlayShot(kGreenShot);
    Steps(2);
    library.duringNextStep = {report::Victory{0}};
    Steps(1);
    ASSERT_EQ(kept.size(), 1u);
    ASSERT_TRUE(ReplayPlayer::IsPlayable(kept[0]));

    RecordingLibrary table;
    HeardListener nobody;
    table.Attach(&nobody);
    ReplayPlayer player(kept[0], table, table);
    player.Start();
    ASSERT_EQ(table.practiceRuns.size(), 1u);
    EXPECT_EQ(table.practiceRuns[0].name, QStringLiteral("Ana"));
    EXPECT_EQ(table.practiceRuns[0].seed, uint32_t(kNow));
    EXPECT_TRUE(table.practiceRuns[0].watched);
    EXPECT_TRUE(table.matches.empty());
    for (int i = 0; i <= RecordingLibrary::kShotSteps; ++i) player.Step();
    table.insideNextStep = [&table] { table.side = 1; };
    player.Step();
    EXPECT_EQ(table.side, 0);
    while (!player.Finished()) player.Step();
    EXPECT_TRUE(player.Matches());
    EXPECT_EQ(table.bestScoresShown, 0);

    Replay unseeded = kept[0];
    unseeded.header.runSeed.reset();
    EXPECT_FALSE(ReplayPlayer::IsPlayable(unseeded));
}

// What the library says during a step reaches the recorder first, then the
// front end's listener, once the step is over; the listener may leave
// without silencing the recorder.
TEST_F(ReplayRecorderTest, TheListenerHearsEverythingBesideTheRecorderUntilItDetaches) {
    library.StartMatch(1, 8);
    PlayShot(kGreenShot);
    int turnsAtRecorder = -1;
    library.insideNextStep = [&] { turnsAtRecorder = heard.turns; };
    library.duringNextStep = {kGreenShot, wire::Aim{}, report::TurnPassed{}};
    Steps(1);
    EXPECT_EQ(turnsAtRecorder, 0) << "nothing is heard from inside the step";
    EXPECT_EQ(heard.shots, 1);
    EXPECT_EQ(heard.aims, 1);
    EXPECT_EQ(heard.turns, 1);
    library.Detach(&heard);
    EXPECT_EQ(library.Listener(), nullptr);
    library.duringNextStep = {report::TurnPassed{}};
    Steps(1);
    EXPECT_EQ(heard.turns, 1);
    library.ShowIntro();
    ASSERT_EQ(kept.size(), 1u);
    const std::vector<TimedEvent> expected = {
        {0, kGreenShot}, {4, PassTurn{}}, {5, PassTurn{}}, {5, End{true, kNoResult}}};
    EXPECT_EQ(kept[0].events, expected);
}

// The recording played on a fresh table: the same calls on the same steps.
TEST_F(ReplayRecorderTest, APlayerMeetsTheRecordedEventsOnTheirStepsAndEndsOnTheSameTable) {
    library.StartMatch(1, 77);
    Steps(2);
    PlayShot(kGreenShot);
    library.duringNextStep = {report::TurnPassed{}};
    Steps(1);
    PlayShot(kRedShot);
    library.SetSideToMove(0);
    Steps(3);
    library.ShowIntro();
    ASSERT_EQ(kept.size(), 1u);

    RecordingLibrary table;
    ReplayPlayer player(kept[0], table, table);
    PlayToEnd(player);
    ASSERT_EQ(table.matches.size(), 1u);
    EXPECT_EQ(table.matches[0].seat, 0);  // watched
    EXPECT_EQ(table.matches[0].seed, 77);
    EXPECT_EQ(table.shots, (std::vector<wire::Shot>{kGreenShot, kRedShot}));
    EXPECT_EQ(table.steps, library.steps);
    EXPECT_EQ(table.side, 0);
    EXPECT_TRUE(player.Matches());
    EXPECT_EQ(player.ShotsPlayed(), 2);

    // A table that ends elsewhere is caught.
    Replay other = kept[0];
    other.fingerprint ^= 1;
    RecordingLibrary second;
    ReplayPlayer mismatched(other, second, second);
    PlayToEnd(mismatched);
    EXPECT_TRUE(mismatched.Finished());
    EXPECT_FALSE(mismatched.Matches());
}

}  // namespace
