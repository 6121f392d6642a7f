// The sound output: SDL2's audio subsystem with SDL2_mixer opened on it in
// one fixed format, and the mixer's channels handed out one at a time (every
// effect keeps one of its own; every extra voice borrows one while it lives).
//
// The format is 44 100 Hz, signed 16-bit little-endian, stereo, with an
// output buffer of 1024 frames: 23.2 ms from a play to the speakers at most
// one buffer later. The library never picks SDL's driver; SDL_AUDIODRIVER
// does (tests use "disk" or "dummy").
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/memory_tracker.h"
#include "platform/audio/pcm_format.h"

namespace audio {

constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;
constexpr int kOutputBufferFrames = 1024;

class AudioDevice : public TrackedObject {
public:
    // Null when there is no audio output; nothing is left started then.
    static std::unique_ptr<AudioDevice> Open();
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Samples converted to the output format, ready for the mixer; false
    // when the format cannot be converted.
    bool Convert(const PcmFormat& format, const uint8_t* data, uint32_t size, TrackedBytes& out,
                 uint32_t& outSize) const;

    // A mixer channel no one else holds, the mixer grown when all are
    // taken; -1 when it cannot grow.
    int AcquireChannel();
    // Halts the channel and hands it back with its volume and pan reset.
    void ReleaseChannel(int channel);
    int ChannelsInUse() const;

private:
    AudioDevice() = default;

    int rate_ = 0;
    uint16_t format_ = 0;
    int channels_ = 0;
    std::vector<bool, TrackedAllocator<bool>> taken_;
};

}  // namespace audio
