// How fast a scene frame draws on this machine's software renderer: the
// table, 21 discs and the cue from the built package, drawn twice (the
// second pass mirrored below the surface, as the reflection is) at the
// game's 570 x 400, cleared and presented each frame. The game needs 60
// frames per second; the goal is 120, for room to spare. The low-detail
// run uses the table and disc the game's lower quality setting draws.
//
// Needs an X display: run through scripts/run-with-display.sh (the
// benchmark script does).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/bench_device.h"
#include "engine/modules/engine_modules.h"
#include "scene/scene_window.h"
#include "scene/table_scene.h"

namespace {

// The engine up for the whole run, as in the loaded library.
EngineLifetime engine;

void BM_TableFrame(benchmark::State& state) {
    SceneWindow window(570, 400);
    if (!StartBenchDevice(window, state)) return;
    TableScene scene;
    if (!scene.Load(RINGDISK_PACKAGE, state.range(1) != 0))
        return state.SkipWithError("dados.vpf did not load");
    const SceneLayout grid = DiscGrid(21);
    const bool mirrored = state.range(0) != 0;
    for (auto _ : state) {
        if (!Direct3D().BeginFrame()) continue;
        Direct3D().ClearTargets(0xFF808094, true, true, true);
        scene.Draw(grid, mirrored);
        Direct3D().EndScene();
        Direct3D().PresentFrame();
    }
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["triangles"] = double(Direct3D().trianglesThisFrame());
}

// The fixed cost of a frame: clearing and presenting an empty picture.
void BM_EmptyFrame(benchmark::State& state) {
    SceneWindow window(570, 400);
    if (!StartBenchDevice(window, state)) return;
    for (auto _ : state) {
        if (!Direct3D().BeginFrame()) continue;
        Direct3D().ClearTargets(0xFF808094, true, true, true);
        Direct3D().EndScene();
        Direct3D().PresentFrame();
    }
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TableFrame)
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->ArgNames({"mirrored", "lowDetail"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
