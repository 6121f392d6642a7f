// VEX_SFX: the engine's sound effect list. Each effect is a short PCM WAV
// loaded once into a buffer of its own and played by index, with its own
// level and pan; while it sounds, further plays may overlap as extra voices
// (up to a maximum, then the effect restarts instead).
//
// Indices are the order of AddEffect calls: a sound that is missing or
// refused keeps its index as an empty, silent slot (and the log says why),
// so the fixed effect numbers the game and its players use never shift.
//
// Levels are bytes, 255 = full; the mixer gets volume * 20 - 5100
// hundredths of a decibel. Pan is a signed byte; the mixer gets pan * 17.
// Bytes set while effects are disabled are kept and applied all the same.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/memory_tracker.h"
#include "engine/audio/load_order_list.h"
#include "platform/audio/sound_buffer.h"

class VEX_Audio;

struct SoundEffect : TrackedObject {
    TrackedChars name;
    uint8_t volume = 255;
    int8_t pan = 0;
    std::unique_ptr<audio::SoundBuffer> buffer;  // null for an empty slot
};

struct ExtraVoice : TrackedObject {
    int16_t effect = -1;
    std::unique_ptr<audio::SoundVoice> voice;
};

class VEX_SFX : public TrackedObject {
public:
    static constexpr int16_t kDefaultMaxVoices = 32;

    explicit VEX_SFX(VEX_Audio& audio) : audio_(audio) {}
    ~VEX_SFX();
    VEX_SFX(const VEX_SFX&) = delete;
    VEX_SFX& operator=(const VEX_SFX&) = delete;

    // The new effect's index, or -1. Without a sound device nothing is
    // added; otherwise a failed load still takes its index, empty.
    int16_t AddEffect(const char* name);
    void PlayEffect(int16_t index, bool loop, bool overlap);
    // A negative index stops every effect and every extra voice.
    void StopEffect(int16_t index, bool voices);
    void SetEffectVolume(int16_t index, uint8_t volume);
    void SetEffectPan(int16_t index, int8_t pan);
    // Hands back the channels of voices that have finished (all of them
    // when forced).
    void ReleaseFinishedVoices(bool force);
    void SetEffectsEnabled(bool on) { enabled_ = on; }
    void SetMaxVoices(int16_t count) { maxVoices_ = count; }
    // Stops everything and empties the list, whether effects are enabled
    // or not, so that no voice outlives it.
    void ClearEffects();

    // A slot that holds a playable effect.
    bool IsValid(int16_t index) const;
    int16_t EffectCount() const { return int16_t(effects_.size()); }
    const SoundEffect* EffectOf(int16_t index) const;
    int16_t VoiceCount() const { return int16_t(voices_.size()); }
    int16_t maxVoices() const { return maxVoices_; }
    bool enabled() const { return enabled_; }

private:
    // The effect's buffer made from the named sound, or null (logged).
    std::unique_ptr<audio::SoundBuffer> LoadBuffer(const char* name);
    void StopAll();
    void StopVoicesOf(int16_t index);

    VEX_Audio& audio_;
    LoadOrderList<SoundEffect> effects_;
    std::vector<std::unique_ptr<ExtraVoice>, TrackedAllocator<std::unique_ptr<ExtraVoice>>> voices_;
    bool enabled_ = true;
    int16_t maxVoices_ = kDefaultMaxVoices;
};
