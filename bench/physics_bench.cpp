// How fast the table simulates: one step of a table in full motion, and a
// whole break shot from the standard layout until everything is still. A
// computer opponent that searches over shots needs thousands of the latter
// per second.
#include <benchmark/benchmark.h>

#include "game/game_random.h"
#include "game/physics.h"
#include "game/shot_control.h"
#include "game/table_layout.h"

namespace {

GameState BreakTable() {
    GameState g;
    SetLibraryStartDefaults(g);
    g.mode = kModeMatch;
    g.localSeat = kSideGreen;
    g.tableRandom = RandomSequence(2026);
    StandardLayout(g);
    return g;
}

// The table some steps after a full-force break, with most discs moving.
GameState MovingTable() {
    GameState g = BreakTable();
    FireShot(g, 0.0f, 21.5f, 10.0f, 0.0f);
    for (int i = 0; i < 40; ++i) StepPhysics(g);
    for (int k = 0; k < kDiscCount; ++k) {
        if (g.discs[k].status != kStatusOnTable) continue;
        // Keep every disc in motion so the step does its full work.
        if (g.discs[k].IsStill()) g.discs[k].vx = 0.3f + 0.01f * k;
    }
    return g;
}

void BM_PhysicsStepFullTable(benchmark::State& state) {
    const GameState start = MovingTable();
    GameState g = start;
    int steps = 0;
    for (auto _ : state) {
        StepPhysics(g);
        if (++steps == 20) {  // stay in the busy part of the shot
            g = start;
            steps = 0;
        }
        benchmark::DoNotOptimize(g.discs[0].x);
    }
}
BENCHMARK(BM_PhysicsStepFullTable);

void BM_CompleteBreakShot(benchmark::State& state) {
    const GameState start = BreakTable();
    int64_t steps = 0;
    for (auto _ : state) {
        GameState g = start;
        FireShot(g, 0.0f, 21.5f, 10.0f, 0.0f);
        do {
            StepPhysics(g);
            ++steps;
        } while (g.isMoving);
        benchmark::DoNotOptimize(g.points);
    }
    state.counters["shots/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["steps/shot"] =
        static_cast<double>(steps) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CompleteBreakShot);

}  // namespace

BENCHMARK_MAIN();
