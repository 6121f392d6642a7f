// One sound effect in the mixer: its samples converted once to the output
// format, and a channel of its own to play them on. Extra voices play the
// same samples, without a copy, on channels they borrow for their life.
#pragma once

#include <cstdint>
#include <memory>

#include "base/memory_tracker.h"
#include "platform/audio/pcm_format.h"

struct Mix_Chunk;

namespace audio {

class AudioDevice;

// A borrowed mixer channel with its level and pan; hands the channel back
// when it goes.
class MixerChannel : public TrackedObject {
public:
    // Null when the mixer has no channel to give.
    static std::unique_ptr<MixerChannel> Acquire(AudioDevice& device);
    ~MixerChannel();
    MixerChannel(const MixerChannel&) = delete;
    MixerChannel& operator=(const MixerChannel&) = delete;

    void Play(Mix_Chunk* chunk, bool loop);
    // Stops; the next play starts from the beginning.
    void Halt();
    bool IsPlaying() const;
    // Both in hundredths of a decibel.
    void SetVolume(int32_t millibels);
    void SetPan(int32_t millibels);
    int32_t volume() const { return volume_; }
    int32_t pan() const { return pan_; }

private:
    MixerChannel(AudioDevice& device, int channel) : device_(device), channel_(channel) {}

    AudioDevice& device_;
    int channel_;
    int32_t volume_ = 0, pan_ = 0;
};

// An extra voice: the samples of an effect on a channel of its own. It must
// go before the buffer it was duplicated from.
struct SoundVoice : TrackedObject {
    Mix_Chunk* chunk = nullptr;
    std::unique_ptr<MixerChannel> channel;

    void Play() { channel->Play(chunk, false); }
    void Stop() { channel->Halt(); }
    bool IsPlaying() const { return channel->IsPlaying(); }
};

class SoundBuffer : public TrackedObject {
public:
    // Null when the samples cannot be converted or no channel is left.
    static std::unique_ptr<SoundBuffer> Create(AudioDevice& device, const PcmFormat& format,
                                               const uint8_t* data, uint32_t size);
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    void Play(bool loop) { channel_->Play(chunk_, loop); }
    void Stop() { channel_->Halt(); }
    bool IsPlaying() const { return channel_->IsPlaying(); }
    void SetVolume(int32_t millibels) { channel_->SetVolume(millibels); }
    void SetPan(int32_t millibels) { channel_->SetPan(millibels); }

    // A voice with this buffer's level and pan, not yet playing; null when
    // no channel is left.
    std::unique_ptr<SoundVoice> Duplicate();

private:
    explicit SoundBuffer(AudioDevice& device) : device_(device) {}

    AudioDevice& device_;
    TrackedBytes samples_;
    Mix_Chunk* chunk_ = nullptr;
    std::unique_ptr<MixerChannel> channel_;
};

}  // namespace audio
