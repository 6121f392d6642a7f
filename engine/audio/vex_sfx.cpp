#include "engine/audio/vex_sfx.h"

#include "base/debug_log.h"
#include "engine/audio/vex_audio.h"
#include "engine/audio/wave_reader.h"
#include "engine/services/asset_reader.h"

namespace {

int32_t PanMillibels(int8_t pan) {
    return int32_t(pan) * 17;
}

}  // namespace

VEX_SFX::~VEX_SFX() {
    Log().ModuleFinishing("VEX_SFX");
    ClearEffects();
    Log().ReportOk();
}

std::unique_ptr<audio::SoundBuffer> VEX_SFX::LoadBuffer(const char* name) {
    TrackedBytes bytes;
    const uint32_t size = ReadAssetBytes(name, bytes);
    ParsedWave wave;
    if (size == 0 || ParseWave(bytes.get(), size, wave) != WaveResult::kOk) {
        Log().FileReadError(name);
        return nullptr;
    }
    std::unique_ptr<audio::SoundBuffer> buffer = audio::SoundBuffer::Create(
        *audio_.soundDevice(), wave.format, wave.samples, wave.sampleBytes);
    if (!buffer) {
        Log().WriteWarning("Erro ao criar buffer de som para <%s>.", name);
        Log().FileReadError(name);
    }
    return buffer;
}

int16_t VEX_SFX::AddEffect(const char* name) {
    if (!audio_.soundDevice() || !name) return -1;
    return AddInLoadOrder(effects_, name, [this, name](SoundEffect& effect) {
        effect.buffer = LoadBuffer(name);
        if (!effect.buffer) return false;
        effect.buffer->SetPan(PanMillibels(effect.pan));
        effect.buffer->SetVolume(LevelMillibels(effect.volume));
        return true;
    });
}

bool VEX_SFX::IsValid(int16_t index) const {
    return index >= 0 && size_t(index) < effects_.size() && effects_[size_t(index)]->buffer;
}

const SoundEffect* VEX_SFX::EffectOf(int16_t index) const {
    return index >= 0 && size_t(index) < effects_.size() ? effects_[size_t(index)].get() : nullptr;
}

void VEX_SFX::PlayEffect(int16_t index, bool loop, bool overlap) {
    if (!enabled_ || !IsValid(index)) return;
    audio::SoundBuffer& buffer = *effects_[size_t(index)]->buffer;
    if (buffer.IsPlaying() && overlap && VoiceCount() < maxVoices_) {
        std::unique_ptr<audio::SoundVoice> voice = buffer.Duplicate();
        if (voice) {
            auto extra = std::make_unique<ExtraVoice>();
            extra->effect = index;
            extra->voice = std::move(voice);
            extra->voice->Play();
            voices_.push_back(std::move(extra));
            return;
        }
    }
    // Not playing, no overlap wanted, the voices all taken, or no channel
    // for another: the effect starts again from its beginning.
    StopEffect(index, false);
    buffer.Play(loop);
}

void VEX_SFX::StopEffect(int16_t index, bool voices) {
    if (!enabled_) return;
    if (index < 0) {
        StopAll();
        return;
    }
    if (!IsValid(index)) return;
    effects_[size_t(index)]->buffer->Stop();
    if (voices) StopVoicesOf(index);
}

void VEX_SFX::StopVoicesOf(int16_t index) {
    for (const auto& extra : voices_)
        if (extra->effect == index) extra->voice->Stop();
}

void VEX_SFX::StopAll() {
    for (const auto& effect : effects_)
        if (effect->buffer) effect->buffer->Stop();
    for (const auto& extra : voices_) extra->voice->Stop();
}

void VEX_SFX::SetEffectVolume(int16_t index, uint8_t volume) {
    if (!IsValid(index)) return;
    SoundEffect& effect = *effects_[size_t(index)];
    effect.volume = volume;
    effect.buffer->SetVolume(LevelMillibels(volume));
}

void VEX_SFX::SetEffectPan(int16_t index, int8_t pan) {
    if (!IsValid(index)) return;
    SoundEffect& effect = *effects_[size_t(index)];
    effect.pan = pan;
    effect.buffer->SetPan(PanMillibels(pan));
}

void VEX_SFX::ReleaseFinishedVoices(bool force) {
    // From the last to the first, so that removing keeps the walk valid.
    for (size_t i = voices_.size(); i-- > 0;) {
        if (force || !voices_[i]->voice->IsPlaying()) voices_.erase(voices_.begin() + long(i));
    }
}

void VEX_SFX::ClearEffects() {
    StopAll();
    // Voices play the effects' samples: they go first. The lists give back
    // their storage too, so an emptied list holds no memory.
    voices_.clear();
    voices_.shrink_to_fit();
    effects_.clear();
    effects_.shrink_to_fit();
}
