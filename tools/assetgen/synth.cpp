#include "tools/assetgen/synth.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/noise.h"

namespace assetgen::synth {

namespace {

constexpr float kTwoPi = 6.28318531f;

float Oscillator(Wave wave, float phase) {  // phase in cycles
    const float p = phase - std::floor(phase);
    switch (wave) {
        case Wave::Sine:
            return std::sin(kTwoPi * p);
        case Wave::Triangle:
            return 4.0f * std::fabs(p - 0.5f) - 1.0f;
        // Softened edges: a square built from its first harmonics.
        case Wave::Square:
            return (std::sin(kTwoPi * p) + std::sin(3 * kTwoPi * p) / 3 +
                    std::sin(5 * kTwoPi * p) / 5 + std::sin(7 * kTwoPi * p) / 7) *
                   0.9f;
        case Wave::Saw: {
            float s = 0;
            for (int h = 1; h <= 8; ++h) s += std::sin(h * kTwoPi * p) / float(h);
            return s * 0.6f;
        }
    }
    return 0;
}

float Envelope(float t, float attack, float decay) {
    const float rise = attack > 0 ? std::min(1.0f, t / attack) : 1.0f;
    return rise * std::exp(-t / decay);
}

void EnsureLength(Samples& out, std::size_t n) {
    if (out.size() < n) out.resize(n, 0.0f);
}

float Alpha(float cutoffHz) {
    return 1.0f - std::exp(-kTwoPi * cutoffHz / kSampleRate);
}

}  // namespace

void Add(Samples& out, const Tone& tone) {
    const std::size_t first = std::size_t(tone.start * kSampleRate);
    const std::size_t count = std::size_t(tone.duration * kSampleRate);
    EnsureLength(out, first + count);
    float phase = 0;
    const float ratio = tone.freqEnd / tone.freqStart;
    for (std::size_t i = 0; i < count; ++i) {
        const float t = float(i) / kSampleRate;
        float freq = tone.freqStart * std::pow(ratio, t / tone.duration);
        if (tone.vibratoDepth > 0)
            freq *= 1.0f + tone.vibratoDepth * std::sin(kTwoPi * tone.vibratoHz * t);
        phase += freq / kSampleRate;
        out[first + i] +=
            Oscillator(tone.wave, phase) * tone.amplitude * Envelope(t, tone.attack, tone.decay);
    }
}

void Add(Samples& out, const Noise& noise) {
    const std::size_t first = std::size_t(noise.start * kSampleRate);
    const std::size_t count = std::size_t(noise.duration * kSampleRate);
    EnsureLength(out, first + count);
    Random rnd(noise.seed);
    const float lp = Alpha(noise.lowpassHz),
                hp = noise.highpassHz > 0 ? Alpha(noise.highpassHz) : 0.0f;
    float low = 0, slow = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const float t = float(i) / kSampleRate;
        low += lp * (rnd.Range(-1, 1) - low);
        float v = low;
        if (hp > 0) {
            slow += hp * (low - slow);
            v = low - slow;
        }
        out[first + i] += v * noise.amplitude * Envelope(t, noise.attack, noise.decay);
    }
}

void Finish(Samples& out, float peak) {
    float biggest = 0;
    for (float s : out) biggest = std::max(biggest, std::fabs(s));
    if (biggest > 0)
        for (float& s : out) s *= peak / biggest;
    const std::size_t fade = std::min(out.size(), std::size_t(kSampleRate / 200));
    for (std::size_t i = 0; i < fade; ++i) out[out.size() - 1 - i] *= float(i) / float(fade);
}

}  // namespace assetgen::synth
