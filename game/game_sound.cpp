#include "game/game_sound.h"

#include <algorithm>

namespace {

class SilentSound final : public GameSound {
public:
    void SetEffectVolume(int, uint8_t) override {}
    void PlayEffect(int) override {}
    void SetEffectsEnabled(bool) override {}
    void StopMusic() override {}
    void PlayMusic(int) override {}
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
