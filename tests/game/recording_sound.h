// A sound implementation that remembers what the game asked for.
#pragma once

#include <vector>

#include "game/game_sound.h"

struct PlayedEffect {
    int effect;
    int volume;
};

class RecordingSound final : public GameSound {
public:
    void SetEffectVolume(int effect, uint8_t volume) override { volumes[effect] = volume; }
    void PlayEffect(int effect) override { played.push_back({effect, volumes[effect]}); }
    void SetEffectsEnabled(bool enabled) override { effectsEnabled = enabled; }
    // Stops and plays count only while the music is active, as in the
    // engine's song list.
    void StopMusic() override { musicStops += musicActive; }
    void PlayMusic(int track, int repeats) override {
        if (!musicActive) return;
        tracks.push_back(track);
        repeatCounts.push_back(repeats);
    }
    void SetMusicVolume(uint8_t volume) override { musicVolume = volume; }
    void SetMusicActive(bool active) override { musicActive = active; }

    int Count(int effect) const {
        int n = 0;
        for (const PlayedEffect& p : played) n += p.effect == effect;
        return n;
    }

    int volumes[32] = {};
    std::vector<PlayedEffect> played;
    std::vector<int> tracks;
    std::vector<int> repeatCounts;
    int musicStops = 0;
    int musicVolume = 255;
    bool musicActive = true;
    bool effectsEnabled = true;
};
