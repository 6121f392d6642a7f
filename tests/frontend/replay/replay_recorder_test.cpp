// The recorder between the front end and the library: it passes everything
// on, and writes down each change to the table on the physics step it took
// effect, so that a watcher's table playing the recording meets the same
// events at the same steps and ends on the same table.
#include <gtest/gtest.h>

#include "frontend/replay/replay_player.h"
#include "frontend/replay/replay_recorder.h"
#include "tests/frontend/core/recording_library.h"

namespace {

using namespace replay;

constexpr int64_t kNow = 1765280000;
constexpr wire::Shot kGreenShot{0.0f, 21.5f, 10.0f, 0.0f};
constexpr wire::Shot kRedShot{2.0f, -21.5f, 8.0f, 0.2f};

// What the front end's own listener heard through the recorder.
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
        recorder.Attach(&heard);
    }

    void Steps(int n) {
        for (int i = 0; i < n; ++i) recorder.StepPhysics();
    }
    // A shot played to rest: fired at rest, then the steps it moves for.
    void PlayShot(const wire::Shot& shot) {
        ASSERT_TRUE(recorder.Shoot(shot));
        Steps(RecordingLibrary::kShotSteps);
    }

    RecordingLibrary library;
    HeardListener heard;
    ReplayPeople people{QStringLiteral("Ana"), QStringLiteral("Bob"), 3, false};
    std::vector<Replay> kept;
    ReplayRecorder recorder;
};

TEST_F(ReplayRecorderTest, AWatchedMatchIsKeptWithItsPeopleEventsStepsAndResult) {
    recorder.StartMatch(0, 417);
    ASSERT_EQ(library.matches.size(), 1u);  // passed on
    Steps(5);
    PlayShot(kGreenShot);  // fired before step 6
    Steps(2);
    ASSERT_TRUE(recorder.PassTurnFromPeer());  // before step 11
    library.positions[3] = 7.5f;
    library.WritePositions(library.positions);
    recorder.SetSideToMove(1);  // a sync, before step 11 too
    PlayShot(kRedShot);
    library.duringNextStep = [](GameLibraryListener& l) { l.OnVictory(2); };
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
    recorder.StartMatch(1, 5);
    PlayShot(kGreenShot);
    library.duringNextStep = [](GameLibraryListener& l) { l.OnTurnPassed(); };
    Steps(1);  // step 4 passes the turn
    EXPECT_EQ(heard.turns, 1);  // the front end still sends it on
    recorder.ShowIntro();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].header.seat, Seat::Green);
    ASSERT_EQ(kept[0].events.size(), 3u);
    EXPECT_EQ(kept[0].events[1], (TimedEvent{4, PassTurn{}}));
    EXPECT_EQ(kept[0].events[2], (TimedEvent{4, End{true, kNoResult}}));
    EXPECT_EQ(library.introsShown, 1);
}

TEST_F(ReplayRecorderTest, EveryWayOutOfAMatchKeepsItAsAbandonedAndOnlyMatchesWithAShotAreKept) {
    recorder.StartMatch(2, 9);
    Steps(30);
    recorder.ShowIntro();  // not one shot: nothing to watch
    EXPECT_TRUE(kept.empty());

    recorder.StartMatch(2, 9);
    PlayShot(kGreenShot);
    recorder.StartMatch(2, 10);  // the next match before this one ended
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].events.back().event, (Event{End{true, kNoResult}}));
    EXPECT_EQ(kept[0].header.seat, Seat::Red);
    PlayShot(kRedShot);
    recorder.ShowBestScores();
    recorder.StartPractice(QStringLiteral("Ana"));
    PlayShot(kGreenShot);
    recorder.Shutdown();
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[1].header.seedOrLevel, 10);
    EXPECT_EQ(kept[2].header.mode, Mode::Practice);
    EXPECT_EQ(kept[2].header.redName, QString());
    EXPECT_EQ(library.shutdowns, 1);
}

TEST_F(ReplayRecorderTest, AMatchAgainstTheComputerSaysSo) {
    people.againstComputer = true;
    recorder.StartMatch(1, 3);
    PlayShot(kGreenShot);
    recorder.ShowIntro();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].header.mode, Mode::Computer);
}

// In practice the front end hands every passed turn straight back: neither
// half changes the run, and neither is written.
TEST_F(ReplayRecorderTest, PracticeKeepsItsSeedAndShotsButNotTheTurnsHandedBack) {
    recorder.StartPractice(QStringLiteral("Ana"));
    // Seeded as the library would seed it, from the calendar clock, and told.
    ASSERT_EQ(library.practiceRuns.size(), 1u);
    EXPECT_EQ(library.practiceRuns[0].name, QStringLiteral("Ana"));
    EXPECT_EQ(library.practiceRuns[0].seed, uint32_t(kNow));
    EXPECT_FALSE(library.practiceRuns[0].watched);
    PlayShot(kGreenShot);
    library.duringNextStep = [this](GameLibraryListener& l) {
        l.OnTurnPassed();
        recorder.PassTurnFromPeer();
    };
    Steps(1);
    heard.OnVictory(0);  // heard, not through the recorder: nothing changes
    const uint64_t lastTable = TableFingerprint(library.positions, library.side);
    // The run's closing wait ends inside a step, which clears the table and
    // may lay another: the run ended on the table before that step.
    library.duringNextStep = [this](GameLibraryListener& l) {
        library.positions[0] = 12.5f;
        l.OnVictory(0);
    };
    Steps(1);
    ASSERT_EQ(kept.size(), 1u);
    ASSERT_EQ(kept[0].events.size(), 2u);
    EXPECT_EQ(kept[0].events[1], (TimedEvent{4, End{false, 0}}));
    EXPECT_EQ(kept[0].fingerprint, lastTable);
    EXPECT_EQ(kept[0].header.greenName, QStringLiteral("Ana"));
    EXPECT_EQ(kept[0].header.runSeed, uint32_t(kNow));
    EXPECT_EQ(heard.results, (std::vector<int>{0, 0}));

    // A run watched through the recorder is not recorded again.
    recorder.StartPracticeRun(QStringLiteral("Ana"), 9, true);
    EXPECT_TRUE(library.practiceRuns.back().watched);
    EXPECT_FALSE(recorder.Recording());
    PlayShot(kGreenShot);
    recorder.ShowIntro();
    EXPECT_EQ(kept.size(), 1u);
}

// A practice run comes back watched, from its seed; the turn a foul passes
// inside a step is handed back as the player's front end did.
TEST_F(ReplayRecorderTest, APracticeRunIsPlayedWatchedFromItsSeedWithPassedTurnsHandedBack) {
    recorder.StartPractice(QStringLiteral("Ana"));
    PlayShot(kGreenShot);
    Steps(2);
    library.duringNextStep = [](GameLibraryListener& l) { l.OnVictory(0); };
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
    table.duringNextStep = [&table](GameLibraryListener&) { table.side = 1; };
    player.Step();
    EXPECT_EQ(table.side, 0);
    while (!player.Finished()) player.Step();
    EXPECT_TRUE(player.Matches());
    EXPECT_EQ(table.bestScoresShown, 0);

    Replay unseeded = kept[0];
    unseeded.header.runSeed.reset();
    EXPECT_FALSE(ReplayPlayer::IsPlayable(unseeded));
}

TEST_F(ReplayRecorderTest, TheListenerHearsEverythingThroughTheRecorderUntilItDetaches) {
    library.listener->OnShoot(kGreenShot);
    library.listener->OnAim({});
    library.listener->OnTurnPassed();
    EXPECT_EQ(heard.shots, 1);
    EXPECT_EQ(heard.aims, 1);
    EXPECT_EQ(heard.turns, 1);
    recorder.Detach(&heard);
    EXPECT_EQ(library.listener, nullptr);
}

// The recording played on a fresh table: the same calls on the same steps.
TEST_F(ReplayRecorderTest, APlayerMeetsTheRecordedEventsOnTheirStepsAndEndsOnTheSameTable) {
    recorder.StartMatch(1, 77);
    Steps(2);
    PlayShot(kGreenShot);
    library.duringNextStep = [](GameLibraryListener& l) { l.OnTurnPassed(); };
    Steps(1);
    PlayShot(kRedShot);
    recorder.SetSideToMove(0);
    Steps(3);
    recorder.ShowIntro();
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
