// Building blocks for the synthesised sound effects: tones with sweeps and
// exponential decays, filtered noise, and a few filters. Everything adds into
// a sample buffer at kSampleRate, growing it as needed.
#pragma once

#include <cstdint>

#include "tools/assetgen/wave_file.h"

namespace assetgen::synth {

enum class Wave { Sine, Triangle, Square, Saw };

struct Tone {
    float start = 0;        // seconds
    float duration = 0.2f;  // seconds
    float freqStart = 440;  // Hz, swept exponentially to freqEnd
    float freqEnd = 440;
    float amplitude = 0.5f;
    float attack = 0.002f;  // seconds of linear rise
    float decay = 0.1f;     // time constant of the exponential fall, seconds
    Wave wave = Wave::Sine;
    float vibratoHz = 0, vibratoDepth = 0;  // depth as a fraction of the frequency
};

struct Noise {
    float start = 0, duration = 0.2f;
    float amplitude = 0.5f;
    float attack = 0.001f, decay = 0.05f;
    float lowpassHz = 8000;  // one-pole low-pass on the noise
    float highpassHz = 0;    // one-pole high-pass after it (0 = none)
    std::uint32_t seed = 1;
};

void Add(Samples& out, const Tone& tone);
void Add(Samples& out, const Noise& noise);

// Scales the buffer so its peak is `peak`, and fades the last 5 ms out so it
// ends on silence.
void Finish(Samples& out, float peak = 0.9f);

}  // namespace assetgen::synth
