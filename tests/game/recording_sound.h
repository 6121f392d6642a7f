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
    void StopMusic() override { ++musicStops; }
    void PlayMusic(int track) override { tracks.push_back(track); }

    int Count(int effect) const {
        int n = 0;
        for (const PlayedEffect& p : played) n += p.effect == effect;
        return n;
    }

    int volumes[32] = {};
    std::vector<PlayedEffect> played;
    std::vector<int> tracks;
    int musicStops = 0;
    bool effectsEnabled = true;
};
