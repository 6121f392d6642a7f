// What one UpdateInput costs the frame: the focus check, the keyboard and
// the pointer read over the library's own X connection, and the edge rule
// for 256 keys and 4 buttons.
//
// Needs an X display: run through scripts/run-with-display.sh (the
// benchmark script does).
#include <benchmark/benchmark.h>

#include "engine/modules/engine_modules.h"
#include "scene/scene_window.h"

namespace {

EngineLifetime engine;

void BM_UpdateInput(benchmark::State& state) {
    SceneWindow window(570, 400);
    if (!window.ok()) return state.SkipWithError("no X display: run under run-with-display.sh");
    if (!Input().StartInput(window.handle())) return state.SkipWithError("input did not start");
    for (auto _ : state) Input().UpdateInput(1.0f, 1.0f);
}
BENCHMARK(BM_UpdateInput)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
