#include "game/game_sound.h"

#include <algorithm>

#include "game/game_state.h"

namespace {

class Silence final : public GameSound {
public:
    void SetEffectVolume(int, uint8_t) override {}
    void PlayEffect(int) override {}
    void SetEffectsEnabled(bool) override {}
    void StopMusic() override {}
    void PlayMusic(int, int) override {}
    void SetMusicVolume(uint8_t) override {}
    void SetMusicActive(bool) override {}
};

Silence silence;

}  // namespace

GameSound& SoundOf(const GameState& g) {
    return g.outputs.sound ? *g.outputs.sound : silence;
}

void GameSound::PlayEffectAt(int effect, int volume) {
    SetEffectVolume(effect, static_cast<uint8_t>(std::clamp(volume, 0, 255)));
    PlayEffect(effect);
}

void GameSound::StartGameMusic(int track, int repeats) {
    StopMusic();
    SetMusicVolume(kGameMusicVolume);
    PlayMusic(track, repeats);
}

int RandomGameTrack(const GameState& g) {
    return int(g.showRandom.Next() % kGameTrackCount) + kFirstGameTrack;
}
