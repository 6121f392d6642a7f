// The game's frame with and without the scene, through the library's
// exports on a virtual display: the same practice moments (a cue running
// in, a put-back disc's last blink, a cleared level's wait, the run clock,
// the end of a run and the intro after it) change the game in the same
// order, and leave the shared generator where the intro leaves it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <compare>
#include <functional>
#include <thread>
#include <tuple>
#include <vector>

#include "game/game_random.h"
#include "game/game_state.h"
#include "game/intro.h"
#include "game/practice.h"
#include "platform/window/bare_window.h"
#include "tests/scene/windowed_scene.h"
#include "vexlib/exports.h"

namespace {

constexpr int kWidth = 570, kHeight = 400;
constexpr auto kFrameGap = std::chrono::milliseconds(10);

// What the frame's steps change, in whole steps (no angles or timers).
struct Moment {
    int mode, level, phase, winner, aimPhase, discReturned, elapsed;
    auto operator<=>(const Moment&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Moment& m) {
    return out << "{mode " << m.mode << " level " << m.level << " phase " << m.phase << " winner "
               << m.winner << " aim " << m.aimPhase << " returned " << m.discReturned
               << " elapsed " << m.elapsed << "}";
}

Moment Now(const GameState& g) {
    return {g.mode, g.practiceLevel, g.practicePhase, g.winner, g.aim.aimPhase, g.discReturned,
            g.elapsedSeconds};
}

struct PracticeRun {
    std::vector<Moment> changes;  // each distinct state after a frame, in order
    int nextRandom = 0;           // the shared generator's next draw afterwards
};

// Frames (each a tick apart, with a physics step as the window program
// runs them) until done says so, keeping every change.
void FramesUntil(PracticeRun& run, const std::function<bool(const GameState&)>& done) {
    for (int frame = 0; frame < 2000 && !done(Game()); ++frame) {
        std::this_thread::sleep_for(kFrameGap);
        AtualizaDiscos();
        RenderCena();
        const Moment now = Now(Game());
        if (run.changes.empty() || run.changes.back() != now) run.changes.push_back(now);
    }
}

// A practice run staged at its moments, each once the one before has
// shown, so that slow frames cannot run two into one: the cue of a weak
// shot about to arrive and a put-back disc ten frames before the end of its
// last blink, on a level just cleared; then the level's wait about to end,
// and the next level's clock left to count a second; then the run out of
// tries a moment before the intro, and a few frames of it.
PracticeRun PlayPractice() {
    SetaMusica(0);
    SetaAudio(0);
    IniciaOffline("Frame");
    for (int i = 0; i < 5; ++i) RenderCena();
    GameState& g = Game();
    g.aim.aimPhase = kAimReleased;
    g.aim.aimForce = 0.01f;
    g.discReturned = 1;
    g.returnedDisc = 1;
    g.show.blinkTicks = 40;
    g.show.blinkCycles = 4;
    g.winner = kSideGreen;
    g.practicePhase = kPhaseLevelCleared;
    g.phaseTimer = 0;
    PracticeRun run;
    FramesUntil(run, [](const GameState& s) { return !s.discReturned; });
    g.phaseTimer = kLevelClearedSeconds - 0.3f;
    FramesUntil(run, [](const GameState& s) { return s.elapsedSeconds >= 1; });
    g.winner = kSideRed;
    g.practicePhase = kPhaseOutOfTries;
    g.phaseTimer = kOutOfTriesSeconds - 0.3f;
    FramesUntil(run, [](const GameState& s) { return s.mode == kModeIdle; });
    int introFrames = 0;
    FramesUntil(run, [&](const GameState&) { return ++introFrames > 5; });
    run.nextRandom = Game().tableRandom.Next();
    return run;
}

TEST(SceneFrameTest, TheFrameChangesTheGameAlikeWithAndWithoutTheScene) {
    BareWindow window(kWidth, kHeight);
    if (!window.ok()) GTEST_SKIP() << "no X display";
    ProvidePackage();

    const PracticeRun unseen = PlayPractice();
    ASSERT_TRUE(StartScene(window)) << "see debug.log";
    const PracticeRun drawn = PlayPractice();
    FinalizaD3D();

    // The cue arrives, the blink ends, the next level starts, its clock
    // counts a second, the run ends and the intro follows.
    const std::vector<Moment> expected = {
        {kModePractice, 1, kPhaseLevelCleared, kSideGreen, kAimPlacing, 1, 0},
        {kModePractice, 1, kPhaseLevelCleared, kSideGreen, kAimPlacing, 0, 0},
        {kModePractice, 2, kPhasePlaying, kNoWinner, kAimPlacing, 0, 0},
        {kModePractice, 2, kPhasePlaying, kNoWinner, kAimPlacing, 0, 1},
        {kModePractice, 2, kPhaseOutOfTries, kSideRed, kAimPlacing, 0, 1},
        {kModeIdle, 2, kPhasePlaying, kNoWinner, kAimPlacing, 0, 1},
    };
    EXPECT_EQ(unseen.changes, expected);
    EXPECT_EQ(drawn.changes, expected);

    // Both leave the generator where the intro's discs leave it.
    GameState settled;
    SettleIntroRandom(settled);
    const int afterIntro = settled.tableRandom.Next();
    EXPECT_EQ(unseen.nextRandom, afterIntro);
    EXPECT_EQ(drawn.nextRandom, afterIntro);
}

// A released cue runs in at 90 force units a second of real time, however
// far apart the frames come (the window program's 60, 30 and 15 frames a
// second): a force of 9 reaches the striker a tenth of a second after the
// release, give or take the frame that sees it arrive.
TEST(SceneFrameTest, TheCueRunsInByTheTimeBetweenFramesAtEveryRefresh) {
    BareWindow window(kWidth, kHeight);
    if (!window.ok()) GTEST_SKIP() << "no X display";
    ProvidePackage();
    ASSERT_TRUE(StartScene(window)) << "see debug.log";
    SetaAudio(0);
    SetaMusica(0);
    IniciaOffline("Frame");
    using Clock = std::chrono::steady_clock;
    for (const int gapMs : {16, 33, 66}) {
        const auto gap = std::chrono::milliseconds(gapMs);
        for (int i = 0; i < 3; ++i) RenderCena();
        // The frame after the release is timed from the start of this one.
        const Clock::time_point released = Clock::now();
        RenderCena();
        GameState& g = Game();
        g.aim.aimPhase = kAimReleased;
        g.aim.aimForce = 9.0f;
        g.aim.shotForce = 0.0f;  // nothing is shot
        Clock::time_point last = Clock::now();
        const double releaseFrame = std::chrono::duration<double>(last - released).count();
        double worstGap = 0;
        int frames = 0;
        while (g.aim.aimPhase == kAimReleased && frames < 100) {
            std::this_thread::sleep_for(gap);
            AtualizaDiscos();
            RenderCena();
            const Clock::time_point now = Clock::now();
            const double seconds = std::chrono::duration<double>(now - last).count();
            worstGap = std::max(worstGap, seconds);
            last = now;
            ++frames;
        }
        const double runIn = std::chrono::duration<double>(last - released).count();
        EXPECT_GE(runIn, 0.1 - 0.005) << gapMs << " ms between frames, " << frames << " frames";
        // At most one frame late: the gap before the frame that saw it
        // arrive, and the drawing of the frame the release came in.
        EXPECT_LE(runIn, 0.1 + releaseFrame + worstGap + 0.005) << gapMs << " ms between frames";
    }
    FinalizaD3D();
}

}  // namespace
