#include "platform/audio/audio_device.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>

#include "platform/sdl_subsystem.h"

namespace audio {

namespace {

// Channels are added in steps, so that a burst of voices does not
// reallocate the mixer's table on every play.
constexpr int kChannelGrowth = 8;

SDL_AudioFormat SourceFormat(const PcmFormat& format) {
    return format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
}

}  // namespace

std::unique_ptr<AudioDevice> AudioDevice::Open() {
    if (!StartSdlSubsystem(SDL_INIT_AUDIO)) return nullptr;
    if (Mix_OpenAudio(kOutputRate, AUDIO_S16LSB, kOutputChannels, kOutputBufferFrames) != 0) {
        StopSdlSubsystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    std::unique_ptr<AudioDevice> device(new AudioDevice);
    Mix_QuerySpec(&device->rate_, &device->format_, &device->channels_);
    // Channels exist only as they are handed out.
    Mix_AllocateChannels(0);
    return device;
}

AudioDevice::~AudioDevice() {
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    StopSdlSubsystem(SDL_INIT_AUDIO);
}

bool AudioDevice::Convert(const PcmFormat& format, const uint8_t* data, uint32_t size,
                          TrackedBytes& out, uint32_t& outSize) const {
    SDL_AudioStream* stream =
        SDL_NewAudioStream(SourceFormat(format), uint8_t(format.channels),
                           int(format.samplesPerSecond), format_, uint8_t(channels_), rate_);
    if (!stream) return false;
    bool ok = SDL_AudioStreamPut(stream, data, int(size)) == 0 && SDL_AudioStreamFlush(stream) == 0;
    const int available = ok ? SDL_AudioStreamAvailable(stream) : 0;
    ok = ok && available > 0;
    if (ok) {
        out.reset(static_cast<uint8_t*>(TrackedAlloc(uint32_t(available))));
        ok = out && SDL_AudioStreamGet(stream, out.get(), available) == available;
    }
    SDL_FreeAudioStream(stream);
    if (!ok) {
        out.reset();
        return false;
    }
    outSize = uint32_t(available);
    return true;
}

int AudioDevice::AcquireChannel() {
    const auto free = std::find(taken_.begin(), taken_.end(), false);
    if (free != taken_.end()) {
        *free = true;
        return int(free - taken_.begin());
    }
    const int channel = int(taken_.size());
    if (Mix_AllocateChannels(channel + kChannelGrowth) < channel + 1) return -1;
    taken_.resize(size_t(channel + kChannelGrowth), false);
    taken_[size_t(channel)] = true;
    return channel;
}

void AudioDevice::ReleaseChannel(int channel) {
    if (channel < 0 || size_t(channel) >= taken_.size()) return;
    Mix_HaltChannel(channel);
    Mix_UnregisterAllEffects(channel);
    Mix_Volume(channel, MIX_MAX_VOLUME);
    taken_[size_t(channel)] = false;
}

int AudioDevice::ChannelsInUse() const {
    return int(std::count(taken_.begin(), taken_.end(), true));
}

}  // namespace audio
