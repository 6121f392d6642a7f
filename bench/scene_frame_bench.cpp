// How fast the game library draws its scene on this machine's software
// renderer, called exactly as the window program calls it: IniciarD3D on a
// bare 570 x 400 X window, a match or a practice run started through the
// exports, then RenderCena once per iteration. The game needs 60 frames per
// second; the goal is 120 with the mirror, high quality, the HUD and a full
// table, for room to spare. The same frame at the larger panels of today's
// screens (1280 x 720, 1920 x 1080), the window and the scene resized
// after the start as the program does; at full HD also without the mirror
// and at low quality, which tells apart what the reflection and the
// detailed table's faces cost from what the pixels themselves cost.
//
// Also what a resize costs: ResizeScene between the default and a full-HD
// panel (goal: 100 ms).
//
// Also what a start costs: IniciarD3D with every asset of the package, and
// the resident memory once it has run.
//
// Needs an X display and the package beside the program's library: run
// through scripts/run-benchmarks.sh, which gives it a virtual display.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "platform/window/bare_window.h"
#include "vexlib/exports.h"

namespace {

constexpr int kWidth = 570, kHeight = 400;
constexpr int kEnglish = 2;

enum Mode { kMatch = 0, kPractice = 1 };

// The library reads dados.vpf from, and writes debug.log into, the
// folder it runs in, as the game does from its own folder.
bool EnterGameFolder(benchmark::State& state) {
    if (chdir(RINGDISK_GAME_FOLDER) == 0) return true;
    state.SkipWithError("the game folder " RINGDISK_GAME_FOLDER " is missing");
    return false;
}

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The window and the scene at a new size, as the program resizes its panel.
bool Resize(BareWindow& window, int width, int height) {
    window.Resize(width, height);
    return ResizeScene(width, height) == 0;
}

// The scene started in the game folder on the window at the default size,
// silent; false (the benchmark skipped with the reason) when it cannot be.
bool StartSilentScene(benchmark::State& state, BareWindow& window) {
    if (!EnterGameFolder(state)) return false;
    if (!window.ok()) {
        state.SkipWithError("no X display");
        return false;
    }
    if (IniciarD3D(reinterpret_cast<void*>(window.id()), nullptr, kWidth, kHeight, 0,
                   kEnglish) != 0) {
        state.SkipWithError("IniciarD3D failed: see debug.log");
        return false;
    }
    SetaAudio(0);
    SetaMusica(0);
    return true;
}

// Arguments: mode (0 match from the green seat, 1 practice), mirror,
// quality, panel width and height.
void BM_SceneFrame(benchmark::State& state) {
    BareWindow window(kWidth, kHeight);
    if (!StartSilentScene(state, window)) return;
    if (!Resize(window, int(state.range(3)), int(state.range(4)))) {
        FinalizaD3D();
        return state.SkipWithError("ResizeScene failed: see debug.log");
    }
    SetaMirror(state.range(1) != 0);
    SetaQualidade(state.range(2) != 0);
    if (state.range(0) == kPractice)
        IniciaOffline("Bench");
    else
        IniciaPartida(1, 7);
    // A few frames first: the first ones upload what the driver still holds back.
    for (int i = 0; i < 5; ++i) RenderCena();
    for (auto _ : state) {
        window.Pump();
        RenderCena();
    }
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    FinalizaD3D();
}

// Each iteration is one IniciarD3D on a fresh window; the finish that
// follows is not timed. The resident memory is taken after the last start.
void BM_StartScene(benchmark::State& state) {
    if (!EnterGameFolder(state)) return;
    double resident = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BareWindow window(kWidth, kHeight);
        if (!window.ok()) return state.SkipWithError("no X display");
        state.ResumeTiming();
        const int started =
            IniciarD3D(reinterpret_cast<void*>(window.id()), nullptr, kWidth, kHeight, 0, kEnglish);
        state.PauseTiming();
        if (started != 0) return state.SkipWithError("IniciarD3D failed: see debug.log");
        resident = ResidentMegabytes();
        FinalizaD3D();
        window.Destroy();
        state.ResumeTiming();
    }
    state.counters["residentMB"] = resident;
}

// Each iteration a resize from one size to the other, the X window's and
// the scene's, in a match with the mirror and high quality; the frames
// drawn and shown at the new size before the next resize are not timed.
void BM_ResizeScene(benchmark::State& state) {
    BareWindow window(kWidth, kHeight);
    if (!StartSilentScene(state, window)) return;
    IniciaPartida(1, 7);
    for (int i = 0; i < 5; ++i) RenderCena();
    bool large = false;
    for (auto _ : state) {
        large = !large;
        if (!Resize(window, large ? 1920 : kWidth, large ? 1080 : kHeight)) {
            state.SkipWithError("ResizeScene failed: see debug.log");
            break;
        }
        // The frames at the new size are not the resize's cost.
        state.PauseTiming();
        window.Pump();
        RenderCena();  // draws at the new size
        RenderCena();  // shows it
        state.ResumeTiming();
    }
    FinalizaD3D();
}

void SceneFrameCases(benchmark::internal::Benchmark* b) {
    b->Args({kMatch, 1, 1, kWidth, kHeight})
        ->Args({kPractice, 1, 1, kWidth, kHeight})
        ->Args({kMatch, 0, 1, kWidth, kHeight})
        ->Args({kMatch, 1, 0, kWidth, kHeight})
        ->Args({kMatch, 1, 1, 1280, 720})
        ->Args({kMatch, 1, 1, 1920, 1080})
        ->Args({kMatch, 0, 1, 1920, 1080})
        ->Args({kMatch, 1, 0, 1920, 1080})
        ->ArgNames({"practice", "mirror", "quality", "width", "height"})
        ->Unit(benchmark::kMillisecond);
}

// Each case twice: by the clock on the wall, which the goal is about, and
// by the processor time of the whole process (the renderer's own threads
// included), which a busy machine disturbs far less.
BENCHMARK(BM_SceneFrame)->Apply(SceneFrameCases)->UseRealTime();
BENCHMARK(BM_SceneFrame)->Apply(SceneFrameCases)->MeasureProcessCPUTime();
BENCHMARK(BM_StartScene)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_ResizeScene)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace
