// VEX_Audio: the process's audio objects. The sound device plays the effects
// (VEX_SFX); the music player, which stands for both the song loader and
// the music stream, plays the songs (VEX_Music). Each is null until
// Initialise made it: a null sound device means no effects, a null music
// player no music, and the game then runs silent.
#pragma once

#include <memory>

#include "base/memory_tracker.h"
#include "platform/audio/audio_device.h"
#include "platform/audio/music_player.h"

class VEX_Audio : public TrackedObject {
public:
    VEX_Audio() = default;
    // Shuts down: the music player, then the sound device.
    ~VEX_Audio();
    VEX_Audio(const VEX_Audio&) = delete;
    VEX_Audio& operator=(const VEX_Audio&) = delete;

    // Opens the sound device, then the music player; each step only after
    // the one before it worked. What a failed start made stays until
    // shutdown. No audio device is no failure of the scene: it only logs.
    bool Initialise();

    audio::AudioDevice* soundDevice() const { return device_.get(); }
    audio::MusicPlayer* musicPlayer() const { return music_.get(); }

private:
    std::unique_ptr<audio::AudioDevice> device_;
    std::unique_ptr<audio::MusicPlayer> music_;
};
