// Common ground for the game tests: a clean process-wide table, a recorded
// sound output and helpers that put discs where a test needs them.
#pragma once

#include <gtest/gtest.h>

#include "game/game_sound.h"
#include "game/game_state.h"
#include "game/physics.h"
#include "tests/game/recording_sound.h"
#include "tools/table_probe/table_probe.h"
#include "vexlib/exports.h"

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        Game() = GameState{};
        SetLibraryStartDefaults(Game());
        Game().outputs.sound = &sound;
    }
    void TearDown() override { Game() = GameState{}; }

    // A match table with every playing disc off, ready for hand-placed
    // discs, heard through the test's sink.
    GameState EmptyMatch(int localSeat = kSideGreen) {
        GameState g;
        SetLibraryStartDefaults(g);
        g.outputs.sound = &sound;
        g.mode = kModeMatch;
        g.localSeat = localSeat;
        g.discs[kStriker].color = kColorYellow;
        return g;
    }

    static void Put(GameState& g, int disc, DiscColor color, float x, float z, float vx = 0,
                    float vz = 0) {
        g.discs[disc] = Disc{x, z, vx, vz, color, kStatusOnTable};
    }

    // Steps until the table is still; answers the number of moving steps.
    static int RunUntilStill(GameState& g, int limit = table_probe::kMaxStepsPerShot) {
        int steps = 0;
        do {
            StepPhysics(g);
        } while (g.isMoving && ++steps < limit);
        return steps;
    }

    RecordingSound sound;
};
