// How long the scene's start spends on sound: the 27 effects (read from the
// built package, checked and converted to the mixer's format) and the 12
// songs (kept as bytes). The goal is well under 100 ms for both together.
// And what starting a song costs once the bytes are kept.
//
// Runs on SDL's dummy audio driver unless SDL_AUDIODRIVER says otherwise;
// the device is opened once, as the scene opens it once.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "engine/audio/vex_audio.h"
#include "engine/audio/vex_music.h"
#include "engine/audio/vex_sfx.h"
#include "engine/modules/engine_modules.h"
#include "engine/services/vex_package.h"
#include "scene/scene_sound.h"

namespace {

EngineLifetime engine;

// The sound device and the game's package, opened as the scene opens them;
// false, with the benchmark skipped and why, when either cannot be.
bool OpenSoundsAndPackage(benchmark::State& state, VEX_Audio& audio, VEX_Package& package) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!audio.Initialise()) {
        state.SkipWithError("no audio device, or no MIDI decoder");
        return false;
    }
    if (!package.Open(RINGDISK_PACKAGE, false)) {
        state.SkipWithError("dados.vpf not found");
        return false;
    }
    Resource().SetPackage(&package);
    return true;
}

void BM_LoadGameSounds(benchmark::State& state) {
    VEX_Audio audio;
    VEX_Package package;
    if (!OpenSoundsAndPackage(state, audio, package)) return;
    for (auto _ : state) {
        auto effects = std::make_unique<VEX_SFX>(audio);
        auto music = std::make_unique<VEX_Music>(audio);
        music->Initialise();
        LoadGameEffects(*effects);
        LoadGameSongs(*music);
        // The lists' teardown belongs to the scene's finish, not its start.
        state.PauseTiming();
        const bool complete =
            effects->EffectCount() == kEffectCount && music->SongCount() == SceneSound::kSongCount;
        effects.reset();
        music.reset();
        state.ResumeTiming();
        if (!complete) return state.SkipWithError("not every sound loaded");
    }
    Resource().SetPackage(nullptr);
}
BENCHMARK(BM_LoadGameSounds)->Unit(benchmark::kMillisecond);

// What a match start pays instead: the playable song made from its bytes
// (FluidSynth loading the soundfont) and started. Two songs take turns, so
// that every play makes its song anew.
void BM_StartAnotherSong(benchmark::State& state) {
    VEX_Audio audio;
    VEX_Package package;
    if (!OpenSoundsAndPackage(state, audio, package)) return;
    VEX_Music music(audio);
    music.Initialise();
    LoadGameSongs(music);
    int16_t song = 1;
    for (auto _ : state) {
        music.PlaySong(song, VEX_Music::kRepeatForever, 0);
        song = song == 1 ? 2 : 1;
    }
    music.StopSongs(-1);
    Resource().SetPackage(nullptr);
}
BENCHMARK(BM_StartAnotherSong)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
