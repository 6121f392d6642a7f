// The narrow path from the rules and the physics to the speakers. The game
// layer only asks for effects and songs by number; the audio engine implements
// this interface, and until one is installed every request is dropped.
#pragma once

#include <cstdint>

// Effect numbers are positions in the effect list the scene loads.
enum GameEffect : int {
    kEffectShot = 0,        // "hit.wav"
    kEffectWall = 1,        // "colmesa.wav"
    kEffectDiscHit = 2,     // "col.wav"
    kEffectPocket = 3,      // "gol.wav"
    kEffectReturn = 4,      // "repoe.wav"
    kEffectWin = 8,         // "win.wav"
    kEffectLose = 9,        // "lose.wav"
    kEffectDraw = 10,       // "draw.wav"
    kEffectMatchStart = 15  // "initp.wav"
};

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
};

GameSound& Sound();
// Installs the implementation the game talks to; null restores the silent one.
void SetGameSound(GameSound* sound);

// Sets the volume of an effect, then plays it.
void PlayEffectAt(int effect, int volume);

// One of the game songs, by the shared random generator.
int RandomGameTrack();
// Stops the song playing and starts track at the game's music level.
void StartGameMusic(int track, int repeats);
