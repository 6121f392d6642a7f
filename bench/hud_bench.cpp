// What the 2D layer adds to a frame on this machine's software renderer, at
// the game's 570 x 400: the match HUD (own turn with its clock, and the
// result banner), the practice HUD with a hint and four tries, the
// best-plays table, and the fireworks at their peak of 400 particles. Each
// frame is cleared, set up in the 2D view and presented; BM_Empty2DFrame
// is that frame with nothing in it, and each screen should add at most
// 1 ms to it.
//
// Needs an X display: run through scripts/run-with-display.sh (the
// benchmark script does).
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "bench/bench_device.h"
#include "engine/modules/engine_modules.h"
#include "game/game_random.h"
#include "game/records.h"
#include "scene/hud_state.h"
#include "tests/scene/hud_scene.h"

namespace {

// The engine up for the whole run, as in the loaded library.
EngineLifetime engine;

// Frames of the HUD scene, each drawing draw(frame) between the set-up and
// the present, for as long as the benchmark asks.
void RunFrames(benchmark::State& state, const std::function<void(HudScene&, const HudFrame&)>& draw,
               const std::function<void(HudScene&)>& prepare = {}) {
    SceneWindow window(570, 400);
    if (!StartBenchDevice(window, state)) return;
    auto scene = std::make_unique<HudScene>();
    if (!scene->Load(RINGDISK_PACKAGE)) return state.SkipWithError("dados.vpf did not load");
    if (prepare) prepare(*scene);
    for (auto _ : state) {
        if (!scene->BeginFrame()) continue;
        draw(*scene, scene->Frame(1.0f / 60));
        Direct3D().EndScene();
        Direct3D().PresentFrame();
    }
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    scene.reset();
    Fonts().ReleaseFonts();
    GDIFonts().ReleaseGDIFonts();
    Sprites().ReleaseSprites();
    TextureList().Clear(false);
    Direct3D().UseSystem(nullptr);
}

GameState MatchState(uint8_t winner) {
    GameState g;
    g.mode = kModeMatch;
    g.localSeat = g.currentPlayer = kSideGreen;
    g.turnSeconds = 17;
    g.winner = winner;
    return g;
}

void BM_Empty2DFrame(benchmark::State& state) {
    RunFrames(state, [](HudScene&, const HudFrame&) {});
}

void BM_MatchHud(benchmark::State& state) {
    const GameState g = MatchState(state.range(0) ? kSideGreen : kNoWinner);
    RunFrames(state, [&](HudScene&, const HudFrame& f) { DrawHud(g, f); });
}

void BM_PracticeHud(benchmark::State& state) {
    GameState g;
    g.mode = kModePractice;
    g.localSeat = g.currentPlayer = kSideGreen;
    g.practiceLevel = 4, g.shotsTaken = 12, g.elapsedSeconds = 754, g.triesLeft = 4;
    RunFrames(
        state,
        [&](HudScene&, const HudFrame& f) {
            // A hint held on screen, all four tries shown.
            Hud().hintState = kHintHold, Hud().hintTimer = 0, Hud().hintAlpha = 255;
            Hud().hintIndex = 15;
            DrawHud(g, f);
        },
        [](HudScene&) { Hud() = HudState{}, Hud().triesShown = 4; });
}

void BM_BestPlays(benchmark::State& state) {
    LoadBestPlays("/nonexistent/ringdisk.dat");
    GameState g;
    g.mode = kModeRecords;
    g.newRecordRow = 2;
    RunFrames(state, [&](HudScene&, const HudFrame& f) {
        g.recordsScreenSeconds = 5;  // the table standing in place
        DrawRecordsScreen(g, f);
    });
}

// Six winner's bursts (360 sparks, all alive within their two seconds)
// and 40 rockets: 400 particles, held still by frames of no time.
void BM_Fireworks(benchmark::State& state) {
    GameState g = MatchState(kSideGreen);
    RunFrames(
        state,
        [&](HudScene& scene, const HudFrame& f) {
            HudFrame still = f;
            still.frameSeconds = 0;
            state.counters["particles"] = scene.fireworks().DrawFireworks(g, still.frameSeconds);
        },
        [&](HudScene& scene) {
            g.showRandom = RandomSequence(11);
            Fireworks& fireworks = scene.fireworks();
            for (int i = 0; i < 6; ++i) fireworks.LaunchRocket(g);
            while (fireworks.particles().LiveCount() < 6 * 60) fireworks.DrawFireworks(g, 0.05f);
            for (int i = 0; i < 40; ++i) fireworks.LaunchRocket(g);
        });
}

// Each screen twice: by the clock on the wall, and by the processor time of
// the whole process (the renderer's own threads included), which a busy
// machine disturbs far less.
#define HUD_BENCHMARK(name)                                        \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->UseRealTime(); \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()

HUD_BENCHMARK(BM_Empty2DFrame);
BENCHMARK(BM_MatchHud)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("result")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_MatchHud)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("result")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
HUD_BENCHMARK(BM_PracticeHud);
HUD_BENCHMARK(BM_BestPlays);
HUD_BENCHMARK(BM_Fireworks);

}  // namespace
