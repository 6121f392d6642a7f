// A simulated shot is played on a copy nobody hears: no effect, no song, no
// event reaches the program, and the process's sound stays installed while
// a search runs on another thread, as the computer player's searches do.
#include "ai/shot_simulation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "game/game_sound.h"
#include "game/shot_control.h"
#include "tests/ai/ai_tables.h"
#include "tests/game/recording_sound.h"

namespace {

// The break: the striker runs into the pack, discs collide and hit the
// cushions, which the game plays effects for.
constexpr ai::Shot kBreak{0.0f, 21.5f, 10.0f, 0.0f};

class ShotSimulation : public ::testing::Test {
protected:
    void SetUp() override { SetGameSound(&heard); }
    void TearDown() override { SetGameSound(nullptr); }
    RecordingSound heard;
};

TEST_F(ShotSimulation, PlaysNoSoundAndRaisesNoEventOfTheTable) {
    GameState table = OpeningTable(7);
    int events = 0;
    table.events.shotFired = [&](float, float, float, float) { ++events; };
    table.events.turnChanged = [&](int) { ++events; };
    table.events.point = [&](int) { ++events; };
    GameState after;
    ai::SimulateShot(table, kBreak, after);
    EXPECT_FALSE(after.isMoving);
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(heard.played.empty());
    EXPECT_TRUE(heard.tracks.empty());

    // The same shot on the table itself is heard: the simulation was silent
    // by its own sink, not because the shot makes no sound.
    FireShot(table, kBreak.x, kBreak.z, kBreak.force, kBreak.angle);
    EXPECT_EQ(heard.Count(kEffectShot), 1);
}

TEST_F(ShotSimulation, ASearchOnAnotherThreadLeavesTheGamesSoundInstalled) {
    const GameState table = OpeningTable(11);
    std::atomic<bool> done = false;
    std::thread search([&] {
        for (int i = 0; i < 40; ++i) ai::SimulateShot(table, kBreak);
        done = true;
    });
    bool alwaysInstalled = true;
    while (!done) alwaysInstalled &= &Sound() == &heard;
    search.join();
    EXPECT_TRUE(alwaysInstalled);
    EXPECT_TRUE(heard.played.empty());
}

}  // namespace
