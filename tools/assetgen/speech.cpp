#include "tools/assetgen/speech.h"

#include <espeak-ng/speak_lib.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "tools/assetgen/synth.h"

namespace assetgen {

namespace {

// eSpeak hands synthesised audio to this callback in pieces; user_data of
// the first event points at the buffer being filled.
int Collect(short* wav, int count, espeak_EVENT* events) {
    auto* out = static_cast<std::vector<short>*>(events->user_data);
    if (wav && out) out->insert(out->end(), wav, wav + count);
    return 0;
}

// Linear resampling to the effects' rate (eSpeak NG normally runs at it
// already, so this is usually a copy).
Samples Resample(const std::vector<short>& in, int fromRate) {
    Samples out;
    if (in.empty()) return out;
    const double step = double(fromRate) / kSampleRate;
    const std::size_t count = std::size_t(double(in.size()) / step);
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double pos = double(i) * step;
        const std::size_t k = std::size_t(pos);
        const double f = pos - double(k);
        const double a = in[k], b = k + 1 < in.size() ? in[k + 1] : in[k];
        out.push_back(float((a + (b - a) * f) / 32768.0));
    }
    return out;
}

}  // namespace

SpeechSynthesizer::SpeechSynthesizer() {
    engineRate_ = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
    if (engineRate_ <= 0) throw std::runtime_error("eSpeak NG did not start");
    espeak_SetSynthCallback(Collect);
}

SpeechSynthesizer::~SpeechSynthesizer() {
    espeak_Terminate();
}

Samples SpeechSynthesizer::Speak(const SpokenPhrase& phrase) {
    if (espeak_SetVoiceByName(phrase.voice) != EE_OK)
        throw std::runtime_error(std::string("eSpeak NG has no voice ") + phrase.voice);
    espeak_SetParameter(espeakPITCH, phrase.pitch, 0);
    espeak_SetParameter(espeakRATE, phrase.wordsPerMinute, 0);
    espeak_SetParameter(espeakRANGE, 80, 0);
    // Breathy voices mix in noise from the C library's generator: seeding it
    // per phrase keeps every build's speech byte-identical.
    std::srand(1);
    std::vector<short> pcm;
    const std::size_t size = std::strlen(phrase.text) + 1;
    if (espeak_Synth(phrase.text, size, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &pcm) !=
        EE_OK)
        throw std::runtime_error(std::string("eSpeak NG could not say ") + phrase.text);
    espeak_Synchronize();
    Samples samples = Resample(pcm, engineRate_);
    if (samples.empty())
        throw std::runtime_error(std::string("eSpeak NG said nothing for ") + phrase.text);
    synth::Finish(samples, 0.9f);
    return samples;
}

}  // namespace assetgen
