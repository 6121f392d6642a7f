#include "game/game_sound.h"

#include <algorithm>

#include "game/game_random.h"

namespace {

class SilentSound final : public GameSound {
public:
    void SetEffectVolume(int, uint8_t) override {}
    void PlayEffect(int) override {}
    void SetEffectsEnabled(bool) override {}
    void StopMusic() override {}
    void PlayMusic(int, int) override {}
    void SetMusicVolume(uint8_t) override {}
    void SetMusicActive(bool) override {}
};

SilentSound silentSound;
GameSound* currentSound = &silentSound;

}  // namespace

GameSound& Sound() {
    return *currentSound;
}

void SetGameSound(GameSound* sound) {
    currentSound = sound ? sound : &silentSound;
}

void PlayEffectAt(int effect, int volume) {
    currentSound->SetEffectVolume(effect, static_cast<uint8_t>(std::clamp(volume, 0, 255)));
    currentSound->PlayEffect(effect);
}

int RandomGameTrack() {
    return int(GameRandom() % kGameTrackCount) + kFirstGameTrack;
}

void StartGameMusic(int track, int repeats) {
    currentSound->StopMusic();
    currentSound->SetMusicVolume(kGameMusicVolume);
    currentSound->PlayMusic(track, repeats);
}
