// The narrow path from the rules and the physics to the speakers. The game
// layer only asks for effects and songs by number; the audio engine implements
// this interface. Each table names its own sink (GameOutputs); a table
// without one is silent, so a copy played on another thread never touches
// the scene's.
#pragma once

#include <cstdint>

#include "vexlib/sound_effects.h"

constexpr int kIntroTrack = 0;
constexpr int kFirstGameTrack = 1;
constexpr int kGameTrackCount = 11;

// Repeats: how many more times a song plays after the first.
constexpr int kIntroRepeats = 1;
constexpr int kRepeatForever = -1;
// The level every song of the game plays at (255 is full).
constexpr uint8_t kGameMusicVolume = 238;

class GameSound {
public:
    virtual ~GameSound() = default;
    // The volume byte is kept per effect and applies to its following plays.
    virtual void SetEffectVolume(int effect, uint8_t volume) = 0;
    // Silent while effects are disabled.
    virtual void PlayEffect(int effect) = 0;
    virtual void SetEffectsEnabled(bool enabled) = 0;
    virtual void StopMusic() = 0;
    virtual void PlayMusic(int track, int repeats) = 0;
    virtual void SetMusicVolume(uint8_t volume) = 0;
    // While inactive, playing and stopping songs do nothing.
    virtual void SetMusicActive(bool active) = 0;

    // Sets the volume of an effect, then plays it.
    void PlayEffectAt(int effect, int volume);
    // Stops the song playing and starts track at the game's music level.
    void StartGameMusic(int track, int repeats);
};

struct GameState;
// Where a table's effects and songs go: the sink it names, or else one that
// drops every request and keeps no state, so any thread may use it.
GameSound& SoundOf(const GameState& g);

// One of the game songs, by the table's show generator.
int RandomGameTrack(const GameState& g);
