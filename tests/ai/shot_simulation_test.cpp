// A simulated shot is played on a copy nobody hears: no effect, no song, no
// event reaches the program, and the process's sound stays installed while
// a search runs on another thread, as the computer player's searches do.
#include "ai/shot_simulation.h"

#include <gtest/gtest.h>

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
    // An opening table heard through the test's sink.
    GameState HeardTable(int seed) {
        GameState table = OpeningTable(seed);
        table.outputs.sound = &heard;
        return table;
    }
    RecordingSound heard;
};

TEST_F(ShotSimulation, PlaysNoSoundAndRaisesNoEventOfTheTable) {
    GameState table = HeardTable(7);
    int events = 0;
    table.outputs.events.shotFired = [&](float, float, float, float) { ++events; };
    table.outputs.events.turnChanged = [&](int) { ++events; };
    table.outputs.events.point = [&](int) { ++events; };
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

TEST_F(ShotSimulation, ASearchOnAnotherThreadPlaysNothingIntoTheTablesSink) {
    const GameState table = HeardTable(11);
    std::thread search([&] {
        for (int i = 0; i < 40; ++i) ai::SimulateShot(table, kBreak);
    });
    search.join();
    EXPECT_TRUE(heard.played.empty());
    EXPECT_EQ(&SoundOf(table), &heard) << "the table keeps its own sink";
}

}  // namespace
