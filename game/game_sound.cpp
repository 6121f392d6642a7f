#include "game/game_sound.h"

#include <algorithm>

#include "game/game_random.h"
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
GameSound* currentSound = &silence;

}  // namespace

GameSound& Sound() {
    return *currentSound;
}

void SetGameSound(GameSound* sound) {
    currentSound = sound ? sound : &silence;
}

GameSound& SilentSound() {
    return silence;
}

GameSound& SoundOf(const GameState& g) {
    return g.sound ? *g.sound : *currentSound;
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

int RandomGameTrack() {
    return int(ShowRandom() % kGameTrackCount) + kFirstGameTrack;
}
