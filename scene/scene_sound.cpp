#include "scene/scene_sound.h"

#include <cstdio>

#include "engine/audio/vex_audio.h"
#include "engine/audio/vex_sfx.h"

namespace {

// The effects in load order: each one's position is its effect number.
struct EffectAsset {
    VexEffect effect;
    const char* name;
    uint8_t volume;  // set right after loading when not full
};

constexpr EffectAsset kEffects[kEffectCount] = {
    {kEffectShot, "hit.wav", 255},
    {kEffectWall, "colmesa.wav", 245},
    {kEffectDiscHit, "col.wav", 230},
    {kEffectPocket, "gol.wav", 240},
    {kEffectReturn, "repoe.wav", 250},
    {kEffectFireworkLaunch, "c1.wav", 255},
    {kEffectFireworkBurst, "e1.wav", 255},
    {kEffectFireworkPuff, "e2.wav", 255},
    {kEffectWin, "win.wav", 255},
    {kEffectLose, "lose.wav", 255},
    {kEffectDraw, "draw.wav", 255},
    {kEffectLaugh, "haha.wav", 255},
    {kEffectGiggle, "hehe.wav", 255},
    {kEffectOops, "ops.wav", 255},
    {kEffectKicked, "kick.wav", 255},
    {kEffectMatchStart, "initp.wav", 255},
    {kEffectPlop, "plop.wav", 200},
    {kEffectIlliterate, "ling01.wav", 255},
    {kEffectShout, "praca.wav", 255},
    {kEffectPieceOfCake, "cake.wav", 255},
    {kEffectDie, "birth.wav", 255},
    {kEffectComeOn, "come.wav", 255},
    {kEffectCool, "cool.wav", 255},
    {kEffectFaceAss, "faceass.wav", 255},
    {kEffectHailToTheKing, "king.wav", 255},
    {kEffectLetsRock, "rock.wav", 255},
    {kEffectShakeIt, "shake.wav", 255},
};

constexpr bool InNumberOrder() {
    for (int i = 0; i < kEffectCount; ++i)
        if (kEffects[i].effect != i) return false;
    return true;
}
static_assert(InNumberOrder(), "an effect's position in the load order is its number");

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
