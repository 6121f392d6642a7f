// A practice run's course follows from its seed and its physics steps alone,
// however many frames were drawn on the way: the levels change on the steps,
// the last level is laid from the seed, and what is only shown draws from a
// generator of its own. A watched run (a recorded one played again) takes
// nothing from this machine's player and never reaches the best plays.
#include <array>
#include <filesystem>

#include "ai/shot_search.h"
#include "game/frame.h"
#include "game/game_random.h"
#include "game/practice.h"
#include "game/rules.h"
#include "tests/game/practice_fixture.h"

namespace fs = std::filesystem;

namespace {

using Colours = std::array<int, kDiscCount>;

Colours ColoursOf(const GameState& g) {
    Colours c{};
    for (int k = 0; k < kDiscCount; ++k) c[k] = g.discs[k].color;
    return c;
}

// Frames of a level nobody plays, then the level cleared and celebrated
// with the frames its wait takes, and the steps that wait really runs on.
void ClearLevelWithFrames(GameState& g, int frames) {
    FrameInput frame;
    frame.frameSeconds = 1.0f / kStepsPerSecond;
    for (int i = 0; i < frames; ++i) RunGameFrame(g, frame, nullptr);
    g.winner = kSideGreen;
    g.practicePhase = kPhaseLevelCleared;
    g.phaseTimer = 0;
    for (int i = 0; g.practicePhase != kPhasePlaying && i < 10 * kStepsPerSecond; ++i) {
        if (i < frames) RunGameFrame(g, frame, nullptr);
        AtualizaDiscos();
    }
}

class PracticeCourseTest : public PracticeFixture {
protected:
    PracticeCourseTest() : PracticeFixture("practice_course") {}
    // Fires the shot the search finds for the wish, on the process's table,
    // and runs it to rest.
    static void PlayShot(int (*wish)(const ai::ShotResult&)) {
        const auto shot = ai::FindShot(Game(), wish, 0);
        ASSERT_TRUE(shot.has_value());
        ASSERT_EQ(DispararTiro(shot->x, shot->z, shot->force, shot->angle), 1);
        table_probe::RunShotToRest();
    }
};

}  // namespace

TEST_F(PracticeCourseTest, TheNextLevelComesSevenSecondsOfStepsAfterTheClearWithNoFrameDrawn) {
    StartPracticeRun("ana", 7, 0);
    GameState& g = Game();
    g.winner = kSideGreen;
    g.practicePhase = kPhaseLevelCleared;
    g.phaseTimer = 0;
    int steps = 0;
    while (g.practiceLevel == 1 && steps < 20 * kStepsPerSecond) {
        AtualizaDiscos();
        ++steps;
    }
    EXPECT_NEAR(steps, 7 * kStepsPerSecond, 1);
    EXPECT_EQ(g.practiceLevel, 2);
    EXPECT_EQ(g.practicePhase, kPhasePlaying);
}

TEST_F(PracticeCourseTest, TheLastLevelIsLaidFromTheRunsSeedHoweverManyFramesWereDrawn) {
    SetaMusica(1);  // every level picks a song on its way in
    const auto lastLevel = [](int framesPerLevel) {
        StartPracticeRun("ana", 2026, 0);
        GameState& g = Game();
        while (g.practiceLevel < kPracticeLevels) ClearLevelWithFrames(g, framesPerLevel);
        return ColoursOf(g);
    };
    const Colours undrawn = lastLevel(0);
    const Colours drawn = lastLevel(90);  // the fireworks' rhythm drew all the way
    EXPECT_EQ(drawn, undrawn);

    GameState fresh;
    SetLibraryStartDefaults(fresh);
    fresh.tableRandom = RandomSequence(2026);
    SetUpLevel(fresh, kPracticeLevels);
    EXPECT_EQ(undrawn, ColoursOf(fresh)) << "the match layout of the run's seed";

    StartPracticeRun("ana", 2027, 0);
    GameState& g = Game();
    while (g.practiceLevel < kPracticeLevels) ClearLevelWithFrames(g, 0);
    EXPECT_NE(ColoursOf(g), undrawn) << "another seed, another last level";
}

TEST_F(PracticeCourseTest, AWatchedRunTakesNoAimNorPauseAndHoldsItsLastTableOutOfTheBestPlays) {
    StartPracticeRun("eve", 11, 1);
    GameState& g = Game();
    EXPECT_TRUE(WatchedRun(g));
    g.hasFocus = 1;
    HandlePauseKey(g, true);
    EXPECT_EQ(g.paused, 0);
    FrameInput aim;
    aim.tableHit = true;
    aim.tableX = 3;
    aim.tableZ = 21.5f;
    aim.leftButton = true;
    EXPECT_FALSE(RunAimStep(g, aim));
    EXPECT_EQ(g.aim.aimPhase, kAimPlacing);

    // Its clock runs on its steps, drawn or not.
    for (int i = 0; i < 2 * kStepsPerSecond + 5; ++i) AtualizaDiscos();
    EXPECT_EQ(g.elapsedSeconds, 2);
    FrameInput frame;
    frame.frameSeconds = 5;
    RunGameFrame(g, frame, nullptr);
    EXPECT_EQ(g.elapsedSeconds, 2);

    SetUpLevel(g, 3);
    g.triesLeft = 1;
    PlayShot([](const ai::ShotResult& r) { return r.strikerFell ? 10 : -1; });
    ASSERT_EQ(g.practicePhase, kPhaseOutOfTries);
    EXPECT_EQ(g.newRecordRow, kNoRecordRow);
    EXPECT_FALSE(fs::exists("ringdisk.dat"));
    const auto table = table_probe::FullFingerprint();
    for (int i = 0; i < 20 * kStepsPerSecond; ++i) AtualizaDiscos();
    EXPECT_EQ(g.mode, kModePractice);
    EXPECT_EQ(g.practicePhase, kPhaseOutOfTries);
    EXPECT_TRUE(RunsOver().empty());
    EXPECT_EQ(table_probe::FullFingerprint(), table);
    EXPECT_EQ(std::string(BestPlayRow(0).name), "vex");

    // The same end played: the best plays take it, and after ten seconds of
    // steps the run is over.
    StartPracticeRun("eve", 11, 0);
    EXPECT_FALSE(WatchedRun(g));
    EXPECT_TRUE(RunAimStep(g, aim));
    SetUpLevel(g, 3);
    g.triesLeft = 1;
    PlayShot([](const ai::ShotResult& r) { return r.strikerFell ? 10 : -1; });
    ASSERT_EQ(g.practicePhase, kPhaseOutOfTries);
    EXPECT_EQ(g.newRecordRow, 0);
    EXPECT_TRUE(fs::exists("ringdisk.dat"));
    for (int i = 0; i < 11 * kStepsPerSecond && RunsOver().empty(); ++i) AtualizaDiscos();
    EXPECT_EQ(RunsOver(), std::vector<int>{0});
}
