// What recording a replay adds to the game's frame: the physics step of a
// match, called through the exported library as the frame tick calls it,
// once directly and once through the recorder that stands between them. A
// shot is fired whenever the table comes to rest, so discs are moving in most
// steps, as in a match. No scene: the drawing the frame adds is the scene
// frame benchmark's, and the recorder adds nothing to it.
#include <benchmark/benchmark.h>

#include "frontend/replay/replay_recorder.h"

namespace {

constexpr int kSeed = 417;
constexpr wire::Shot kBreak{0.0f, 21.5f, 10.0f, 0.0f};
constexpr wire::Shot kReply{3.0f, -21.5f, 9.0f, 0.2f};

void StepMatch(benchmark::State& state, GameLibrary& table) {
    table.StartMatch(0, kSeed);
    bool green = true;
    for (auto _ : state) {
        if (!table.IsMoving()) {
            table.Shoot(green ? kBreak : kReply);
            green = !green;
        }
        table.StepPhysics();
    }
    table.ShowIntro();
}

void BM_StepWithoutRecording(benchmark::State& state) {
    const auto library = MakeExportedGameLibrary();
    StepMatch(state, *library);
}
BENCHMARK(BM_StepWithoutRecording);

void BM_StepWhileRecording(benchmark::State& state) {
    const auto library = MakeExportedGameLibrary();
    int kept = 0;
    ReplayRecorder recorder(
        *library, [&kept](const replay::Replay&) { ++kept; }, [] { return ReplayPeople{}; });
    StepMatch(state, recorder);
    state.counters["kept"] = kept;
}
BENCHMARK(BM_StepWhileRecording);

}  // namespace

BENCHMARK_MAIN();
