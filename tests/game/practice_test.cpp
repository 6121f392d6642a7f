// Practice runs: level set-up, tries, clearing, pause and the phase timers.
#include "game/practice.h"

#include <filesystem>

#include "ai/shot_search.h"
#include "game/records.h"
#include "tests/game/practice_fixture.h"
#include "vexlib/exports.h"

namespace fs = std::filesystem;

namespace {

void Play(const ai::Shot& s) {
    ASSERT_EQ(DispararTiro(s.x, s.z, s.force, s.angle), 1);
    table_probe::RunShotToRest();
}

void RunPhaseFor(float seconds) {
    for (float t = 0; t < seconds; t += 0.25f) AdvancePracticePhase(Game(), 0.25f);
}

class PracticeTest : public PracticeFixture {
protected:
    PracticeTest() : PracticeFixture("practice") {}
};

}  // namespace

TEST_F(PracticeTest, LevelsAreLaidOutFromTheTable) {
    IniciaOffline("ana");
    GameState& g = Game();
    EXPECT_EQ(g.mode, kModePractice);
    EXPECT_EQ(g.localSeat, kSideGreen);
    EXPECT_EQ(g.triesLeft, 4);
    EXPECT_EQ(g.points[0], 7);  // three green discs to put down
    EXPECT_EQ(g.discs[1].x, -12.5f);
    EXPECT_EQ(g.discs[3].color, kColorGreen);
    EXPECT_EQ(g.discs[4].status, kStatusOff);
    EXPECT_EQ(std::string(g.playerName.text), "ana");

    SetUpLevel(g, 12);
    EXPECT_EQ(g.discs[5].status, kStatusOff);
    EXPECT_EQ(g.discs[6].color, kColorRed);
    EXPECT_EQ(g.points[0], 6);
    SetUpLevel(g, 19);
    EXPECT_EQ(g.points[0], 1);  // nine green discs
    SetUpLevel(g, 20);
    int green = 0;
    for (int k = 1; k < kDiscCount; ++k) green += g.discs[k].color == kColorGreen;
    EXPECT_EQ(green, 10);
    EXPECT_EQ(g.points[0], 0);
    EXPECT_EQ(sound.Count(kEffectMatchStart), 4);
}

TEST_F(PracticeTest, ClearingLevelOneMovesToLevelTwoAfterTheTimer) {
    IniciaOffline("ana");
    int shots = 0;
    while (Game().practicePhase == kPhasePlaying && shots < 25) {
        auto shot = ai::FindShot(
            Game(),
            [](const ai::ShotResult& r) {
                return 10 * r.ownPocketed - 50 * r.strikerFell - 50 * r.otherPocketed;
            },
            -1);
        ASSERT_TRUE(shot.has_value());
        Play(*shot);
        ++shots;
    }
    GameState& g = Game();
    ASSERT_EQ(g.practicePhase, kPhaseLevelCleared);
    EXPECT_EQ(g.winner, kSideGreen);
    EXPECT_EQ(g.shotsTaken, shots);
    EXPECT_EQ(g.triesLeft, 4);              // shots that pocket nothing cost nothing
    EXPECT_TRUE(RunsOver().empty());  // no Vitoria for a cleared level
    EXPECT_EQ(sound.Count(kEffectWin), 1);

    HandlePauseKey(g, true);  // P does nothing while the timer runs
    EXPECT_EQ(g.paused, 0);
    RunPhaseFor(6.5f);
    EXPECT_EQ(g.practiceLevel, 1);
    RunPhaseFor(0.75f);
    EXPECT_EQ(g.practiceLevel, 2);
    EXPECT_EQ(g.practicePhase, kPhasePlaying);
    EXPECT_EQ(g.winner, kNoWinner);
    EXPECT_EQ(g.points[0], 5);
    EXPECT_EQ(g.shotsTaken, shots);  // the run goes on
}

TEST_F(PracticeTest, LosingRunSpendsFourTriesThenEntersTheBestPlays) {
    IniciaOffline("bruno");
    GameState& g = Game();
    SetUpLevel(g, 3);  // a level with red obstacles

    auto redShot = ai::FindShot(
        g, [](const ai::ShotResult& r) { return r.otherPocketed > 0 && !r.strikerFell ? 10 : -1; },
        0);
    ASSERT_TRUE(redShot.has_value());
    Play(*redShot);
    EXPECT_EQ(g.triesLeft, 3);
    EXPECT_EQ(g.currentPlayer, kSideGreen);  // the program handed the turn back

    // The striker falls after a green disc went down: that disc comes back.
    auto greenShot = ai::FindShot(
        g,
        [](const ai::ShotResult& r) {
            return r.ownPocketed > 0 && !r.strikerFell && r.otherPocketed == 0 ? 10 : -1;
        },
        0);
    ASSERT_TRUE(greenShot.has_value());
    Play(*greenShot);
    EXPECT_EQ(g.triesLeft, 3);
    const uint8_t owed = g.points[0];
    auto fallShot = ai::FindShot(
        g, [](const ai::ShotResult& r) { return r.strikerFell && r.ownPocketed == 0 ? 10 : -1; },
        0);
    ASSERT_TRUE(fallShot.has_value());
    Play(*fallShot);
    EXPECT_EQ(g.triesLeft, 2);
    EXPECT_EQ(g.discReturned, 1);
    EXPECT_EQ(g.points[0], owed - 1);

    for (int tries = 2; tries > 0; --tries) {
        auto fall = ai::FindShot(
            g, [](const ai::ShotResult& r) { return r.strikerFell ? 10 : -1; }, 0);
        ASSERT_TRUE(fall.has_value());
        Play(*fall);
    }
    EXPECT_EQ(g.triesLeft, 0);
    EXPECT_EQ(g.practicePhase, kPhaseOutOfTries);
    EXPECT_EQ(g.winner, kSideRed);
    EXPECT_EQ(sound.Count(kEffectLose), 1);
    // Level 3 in no time beats "vex" (level 3 in 12:08): it takes row 0.
    EXPECT_EQ(g.newRecordRow, 0);
    EXPECT_EQ(std::string(BestPlayRow(0).name), "bruno");
    EXPECT_TRUE(fs::exists("ringdisk.dat"));

    RunPhaseFor(9.5f);
    EXPECT_TRUE(RunsOver().empty());
    RunPhaseFor(0.75f);
    EXPECT_EQ(RunsOver(), std::vector<int>{0});
    EXPECT_EQ(g.mode, kModeRecords);
    EXPECT_EQ(sound.tracks.back(), kIntroTrack);
    EXPECT_EQ(sound.repeatCounts.back(), kRepeatForever) << "after a run the intro's song loops";

    LoadBestPlays();
    EXPECT_EQ(std::string(BestPlayRow(0).name), "bruno");
    EXPECT_EQ(std::string(BestPlayRow(1).name), "vex");
}

TEST_F(PracticeTest, PauseFreezesTheTableAndTheRunClock) {
    IniciaOffline("carla");
    GameState& g = Game();
    AdvanceRunClock(g, 0.6f);
    AdvanceRunClock(g, 0.6f);
    EXPECT_EQ(g.elapsedSeconds, 1);
    HandlePauseKey(g, true);
    ASSERT_EQ(g.paused, 1);
    g.discs[1].vx = 1.0f;
    AtualizaDiscos();
    EXPECT_EQ(g.discs[1].x, -12.5f);
    for (int i = 0; i < 10; ++i) AdvanceRunClock(g, 0.6f);
    EXPECT_EQ(g.elapsedSeconds, 1);
    HandlePauseKey(g, false);
    EXPECT_EQ(g.paused, 1);  // only a press toggles
    HandlePauseKey(g, true);
    EXPECT_EQ(g.paused, 0);
    AtualizaDiscos();
    EXPECT_EQ(g.discs[1].x, -11.5f);
}

TEST_F(PracticeTest, ClearingLevelTwentyEndsTheRunWithTheTable) {
    IniciaOffline("dora");
    GameState& g = Game();
    SetUpLevel(g, 20);
    g.elapsedSeconds = 100;
    g.points[0] = 10;  // the last green disc just went down
    AtualizaDiscos();
    EXPECT_EQ(g.practicePhase, kPhaseAllCleared);
    EXPECT_EQ(g.newRecordRow, 0);
    RunPhaseFor(11.5f);
    EXPECT_TRUE(RunsOver().empty());
    RunPhaseFor(0.75f);
    EXPECT_EQ(RunsOver(), std::vector<int>{0});
    EXPECT_EQ(g.mode, kModeRecords);
    EXPECT_EQ(g.discs[20].status, kStatusOnTable);
}

TEST_F(PracticeTest, TheRunKeepsThePlayersNameAsACopyOfTheTableDoes) {
    const std::string longName(300, 'x');
    IniciaOffline(longName.c_str());
    // What a best-play row can hold, the rest cut.
    EXPECT_EQ(std::string(Game().playerName.text), longName.substr(0, 127));

    IniciaOffline("ana");
    const GameState copy = Game();
    IniciaOffline(nullptr);
    EXPECT_EQ(std::string(Game().playerName.text), "");
    // A copy made for a search or a picture keeps the name it was made with.
    EXPECT_EQ(std::string(copy.playerName.text), "ana");
}
