#include "platform/audio/music_player.h"

#include <SDL2/SDL_mixer.h>

#include <cstdio>
#include <cstdlib>

#include "platform/audio/audio_levels.h"

namespace audio {

namespace {

constexpr const char* kDebianSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

bool Readable(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}

}  // namespace

const char* MusicPlayer::SoundFontPath() {
    const char* chosen = std::getenv("RINGDISK_SOUNDFONT");
    return chosen && *chosen ? chosen : kDebianSoundFont;
}

std::unique_ptr<MusicPlayer> MusicPlayer::Open(const char* soundFont) {
    if (!soundFont || !Readable(soundFont)) return nullptr;
    if ((Mix_Init(MIX_INIT_MID) & MIX_INIT_MID) == 0) return nullptr;
    if (!Mix_SetSoundFonts(soundFont)) {
        Mix_Quit();
        return nullptr;
    }
    return std::unique_ptr<MusicPlayer>(new MusicPlayer);
}

MusicPlayer::~MusicPlayer() {
    Unload();
    Mix_Quit();
}

bool MusicPlayer::Play(const uint8_t* data, uint32_t size, int times) {
    Mix_HaltMusic();
    if (data != loadedData_) {
        Unload();
        SDL_RWops* bytes = SDL_RWFromConstMem(data, int(size));
        loaded_ = bytes ? Mix_LoadMUSType_RW(bytes, MUS_MID, 1) : nullptr;
        if (!loaded_) return false;
        loadedData_ = data;
    }
    return Mix_PlayMusic(loaded_, times) == 0;
}

void MusicPlayer::Stop() {
    Mix_HaltMusic();
}

bool MusicPlayer::IsPlaying() const {
    return Mix_PlayingMusic() != 0;
}

void MusicPlayer::Forget(const uint8_t* data) {
    if (data == loadedData_) Unload();
}

void MusicPlayer::SetVolume(int32_t millibels) {
    Mix_VolumeMusic(MixerVolume(millibels));
}

void MusicPlayer::Unload() {
    if (loaded_) {
        Mix_HaltMusic();
        Mix_FreeMusic(loaded_);
    }
    loaded_ = nullptr;
    loadedData_ = nullptr;
}

}  // namespace audio
