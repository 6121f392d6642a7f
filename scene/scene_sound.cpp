#include "scene/scene_sound.h"

#include <cstdio>

#include "engine/audio/vex_audio.h"
#include "engine/audio/vex_sfx.h"

namespace {

// The effects in load order: each one's position is its effect number.
struct EffectAsset {
    const char* name;
    uint8_t volume;  // set right after loading when not full
};

constexpr EffectAsset kEffects[SceneSound::kEffectCount] = {
    {"hit.wav", 255},   {"colmesa.wav", 245}, {"col.wav", 230},   {"gol.wav", 240},
    {"repoe.wav", 250}, {"c1.wav", 255},      {"e1.wav", 255},    {"e2.wav", 255},
    {"win.wav", 255},   {"lose.wav", 255},    {"draw.wav", 255},  {"haha.wav", 255},
    {"hehe.wav", 255},  {"ops.wav", 255},     {"kick.wav", 255},  {"initp.wav", 255},
    {"plop.wav", 200},  {"ling01.wav", 255},  {"praca.wav", 255}, {"cake.wav", 255},
    {"birth.wav", 255}, {"come.wav", 255},    {"cool.wav", 255},  {"faceass.wav", 255},
    {"king.wav", 255},  {"rock.wav", 255},    {"shake.wav", 255},
};

}  // namespace

SceneSound::~SceneSound() {
    DeleteMusic();
}

void LoadGameEffects(VEX_SFX& effects) {
    for (const EffectAsset& effect : kEffects) {
        const int16_t index = effects.AddEffect(effect.name);
        if (index >= 0 && effect.volume != 255) effects.SetEffectVolume(index, effect.volume);
    }
}

void LoadGameSongs(VEX_Music& music) {
    for (int i = 0; i < SceneSound::kSongCount; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "%02d.mid", i);
        music.AddSong(name);
    }
}

void SceneSound::Load() {
    audio_.Initialise();
    LoadGameEffects(effects_);
    effects_.SetMaxVoices(kGameMaxVoices);
    music_ = std::make_unique<VEX_Music>(audio_);
    music_->Initialise();
    LoadGameSongs(*music_);
}

void SceneSound::ReleaseFinishedVoices() {
    effects_.ReleaseFinishedVoices(false);
}

void SceneSound::ClearEffects() {
    effects_.ClearEffects();
}

void SceneSound::DeleteMusic() {
    if (music_) music_->StopSongs(-1);
    music_.reset();
}

void SceneSound::SetEffectVolume(int effect, uint8_t volume) {
    effects_.SetEffectVolume(int16_t(effect), volume);
}

void SceneSound::PlayEffect(int effect) {
    effects_.PlayEffect(int16_t(effect), false, true);
}

void SceneSound::SetEffectsEnabled(bool enabled) {
    effects_.SetEffectsEnabled(enabled);
}

void SceneSound::StopMusic() {
    if (music_) music_->StopSongs(-1);
}

void SceneSound::PlayMusic(int track, int repeats) {
    if (music_) music_->PlaySong(int16_t(track), repeats, 0);
}

void SceneSound::SetMusicVolume(uint8_t volume) {
    if (music_) music_->SetMusicVolume(volume, 0);
}

void SceneSound::SetMusicActive(bool active) {
    if (music_) music_->SetActive(active);
}
