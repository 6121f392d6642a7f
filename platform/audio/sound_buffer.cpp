#include "platform/audio/sound_buffer.h"

#include <SDL2/SDL_mixer.h>

#include "platform/audio/audio_device.h"
#include "platform/audio/audio_levels.h"

namespace audio {

std::unique_ptr<MixerChannel> MixerChannel::Acquire(AudioDevice& device) {
    const int channel = device.AcquireChannel();
    if (channel < 0) return nullptr;
    return std::unique_ptr<MixerChannel>(new MixerChannel(device, channel));
}

MixerChannel::~MixerChannel() {
    device_.ReleaseChannel(channel_);
}

void MixerChannel::Play(Mix_Chunk* chunk, bool loop) {
    Mix_PlayChannel(channel_, chunk, loop ? -1 : 0);
}

void MixerChannel::Halt() {
    Mix_HaltChannel(channel_);
}

bool MixerChannel::IsPlaying() const {
    return Mix_Playing(channel_) != 0;
}

void MixerChannel::SetVolume(int32_t millibels) {
    volume_ = millibels;
    Mix_Volume(channel_, MixerVolume(millibels));
}

void MixerChannel::SetPan(int32_t millibels) {
    pan_ = millibels;
    const PanLevels levels = PanOf(millibels);
    Mix_SetPanning(channel_, levels.left, levels.right);
}

std::unique_ptr<SoundBuffer> SoundBuffer::Create(AudioDevice& device, const PcmFormat& format,
                                                 const uint8_t* data, uint32_t size) {
    std::unique_ptr<SoundBuffer> buffer(new SoundBuffer(device));
    uint32_t convertedSize = 0;
    if (!device.Convert(format, data, size, buffer->samples_, convertedSize)) return nullptr;
    buffer->chunk_ = Mix_QuickLoad_RAW(buffer->samples_.get(), convertedSize);
    if (!buffer->chunk_) return nullptr;
    buffer->channel_ = MixerChannel::Acquire(device);
    if (!buffer->channel_) return nullptr;
    return buffer;
}

SoundBuffer::~SoundBuffer() {
    channel_.reset();
    // The chunk does not own its samples (they are ours, counted by the
    // tracker), so freeing it leaves them to samples_.
    if (chunk_) Mix_FreeChunk(chunk_);
}

std::unique_ptr<SoundVoice> SoundBuffer::Duplicate() {
    std::unique_ptr<MixerChannel> channel = MixerChannel::Acquire(device_);
    if (!channel) return nullptr;
    channel->SetVolume(channel_->volume());
    channel->SetPan(channel_->pan());
    auto voice = std::make_unique<SoundVoice>();
    voice->chunk = chunk_;
    voice->channel = std::move(channel);
    return voice;
}

}  // namespace audio
