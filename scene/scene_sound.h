// The scene's sound: the audio engine started, the game's 27 effects and 12
// songs loaded from the package in the order whose positions the game's
// effect and song numbers are, and the game's sound requests played through
// them while the table names it as its sink. The scene's start calls Load
// and names it; its finish clears the effects, then deletes the music.
//
// The object must go before the engine modules it was given.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/audio/vex_music.h"
#include "game/game_sound.h"

class VEX_Audio;
class VEX_SFX;

// The game's effects with their levels, and its songs, from the current
// package in the order whose positions are the game's numbers. Nothing
// missing stops the loading.
void LoadGameEffects(VEX_SFX& effects);
void LoadGameSongs(VEX_Music& music);

class SceneSound final : public GameSound {
public:
    static constexpr int16_t kSongCount = 12;
    // Extra voices the game allows itself.
    static constexpr int16_t kGameMaxVoices = 8;

    SceneSound(VEX_Audio& audio, VEX_SFX& effects) : audio_(audio), effects_(effects) {}
    ~SceneSound() override;
    SceneSound(const SceneSound&) = delete;
    SceneSound& operator=(const SceneSound&) = delete;

    // Starts the audio device and loads the effects with their levels and
    // the voice limit, then creates the music, starts it and adds the songs.
    // Never fails the scene: what is missing stays silent, and the log says
    // so.
    void Load();
    // Once per drawn frame: hands back the channels of finished voices.
    void ReleaseFinishedVoices();
    void ClearEffects();
    void DeleteMusic();

    // Null before Load and after DeleteMusic.
    VEX_Music* music() const { return music_.get(); }

    void SetEffectVolume(int effect, uint8_t volume) override;
    // No loop, overlapping what is still sounding.
    void PlayEffect(int effect) override;
    void SetEffectsEnabled(bool enabled) override;
    void StopMusic() override;
    void PlayMusic(int track, int repeats) override;
    void SetMusicVolume(uint8_t volume) override;
    void SetMusicActive(bool active) override;

private:
    VEX_Audio& audio_;
    VEX_SFX& effects_;
    std::unique_ptr<VEX_Music> music_;
};
