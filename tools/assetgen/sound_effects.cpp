#include "tools/assetgen/sound_effects.h"

#include <cmath>

#include "tools/assetgen/noise.h"
#include "tools/assetgen/synth.h"

namespace assetgen {

using synth::Add;
using synth::Finish;
using synth::Noise;
using synth::Tone;
using synth::Wave;

namespace {

float NoteHz(int midi) {
    return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f);
}

// A brass-like note: a few detuned saw and square voices with a soft attack.
void Brass(Samples& out, float start, float duration, int midi, float amplitude,
           float vibrato = 0) {
    const float f = NoteHz(midi);
    Add(out, Tone{start, duration + 0.15f, f, f, amplitude, 0.03f, duration * 1.2f, Wave::Saw, 5.5f,
                  vibrato});
    Add(out, Tone{start, duration + 0.15f, f * 1.003f, f * 1.003f, amplitude * 0.5f, 0.04f,
                  duration * 1.2f, Wave::Square, 5.0f, vibrato});
}

void Chime(Samples& out, float start, int midi, float amplitude, float decay) {
    const float f = NoteHz(midi);
    Add(out, Tone{start, decay * 5, f, f, amplitude, 0.002f, decay});
    Add(out, Tone{start, decay * 3, f * 2.76f, f * 2.76f, amplitude * 0.3f, 0.002f, decay * 0.4f});
    Add(out, Tone{start, decay * 3, f * 5.4f, f * 5.4f, amplitude * 0.12f, 0.002f, decay * 0.2f});
}

}  // namespace

Samples MakeCueHit() {
    Samples s;
    Add(s, Noise{0, 0.03f, 0.8f, 0.0005f, 0.006f, 6000, 0, 3});
    Add(s, Tone{0, 0.2f, 1500, 1250, 0.6f, 0.0005f, 0.02f});
    Add(s, Tone{0, 0.25f, 560, 520, 0.5f, 0.0005f, 0.05f});
    Add(s, Tone{0, 0.3f, 210, 190, 0.3f, 0.001f, 0.06f});
    Finish(s);
    return s;
}

Samples MakeCushionThud() {
    Samples s;
    Add(s, Noise{0, 0.08f, 0.7f, 0.0005f, 0.015f, 1800, 0, 5});
    Add(s, Tone{0, 0.35f, 170, 120, 0.8f, 0.001f, 0.07f});
    Add(s, Tone{0, 0.2f, 430, 400, 0.35f, 0.001f, 0.035f});
    Finish(s, 0.85f);
    return s;
}

Samples MakeDiscClick() {
    Samples s;
    Add(s, Noise{0, 0.02f, 0.5f, 0.0002f, 0.003f, 9000, 1500, 7});
    Add(s, Tone{0, 0.09f, 2400, 2350, 0.6f, 0.0003f, 0.012f});
    Add(s, Tone{0, 0.06f, 3900, 3850, 0.35f, 0.0003f, 0.008f});
    Add(s, Tone{0, 0.04f, 6100, 6100, 0.15f, 0.0003f, 0.005f});
    Finish(s);
    return s;
}

Samples MakePocketDrop() {
    Samples s;
    // The disc knocks the edge of the hole, lands and rattles to rest.
    Add(s, Tone{0, 0.25f, 700, 620, 0.4f, 0.0005f, 0.03f});
    Add(s, Noise{0.05f, 0.1f, 0.4f, 0.001f, 0.02f, 2500, 0, 9});
    Add(s, Tone{0.06f, 0.4f, 120, 70, 0.9f, 0.002f, 0.09f});
    const float rattle[] = {0.16f, 0.23f, 0.28f, 0.315f, 0.34f, 0.357f, 0.37f};
    float level = 0.45f;
    for (float t : rattle) {
        Add(s, Tone{t, 0.08f, 1300, 1200, level, 0.0005f, 0.012f});
        Add(s, Tone{t, 0.1f, 330, 300, level * 0.8f, 0.0005f, 0.025f});
        level *= 0.75f;
    }
    Finish(s);
    return s;
}

Samples MakeDiscReturn() {
    Samples s;
    Chime(s, 0.0f, 79, 0.5f, 0.12f);  // G5
    Chime(s, 0.09f, 86, 0.5f, 0.2f);  // D6
    Add(s, Tone{0, 0.3f, 500, 1400, 0.2f, 0.01f, 0.1f, Wave::Triangle});
    Finish(s, 0.8f);
    return s;
}

Samples MakeRocketLaunch() {
    Samples s;
    Add(s, Tone{0, 1.3f, 700, 2600, 0.45f, 0.05f, 0.9f, Wave::Sine, 11.0f, 0.015f});
    Add(s, Noise{0, 1.3f, 0.35f, 0.02f, 0.5f, 7000, 1800, 11});
    Add(s, Noise{0, 0.12f, 0.6f, 0.001f, 0.03f, 1200, 0, 13});  // the fuse's thump
    Finish(s, 0.8f);
    return s;
}

Samples MakeBigBurst() {
    Samples s;
    Add(s, Noise{0, 1.2f, 1.0f, 0.001f, 0.22f, 2200, 0, 17});
    Add(s, Tone{0, 1.0f, 80, 38, 1.0f, 0.002f, 0.3f});
    // Crackling stars as the sparks fall.
    Random rnd(19);
    for (int i = 0; i < 60; ++i) {
        const float t = 0.25f + rnd.Unit() * 1.4f;
        Add(s, Noise{t, 0.03f, rnd.Range(0.15f, 0.45f) * (1.6f - t) / 1.4f, 0.0002f, 0.004f, 9000,
                     2000, rnd.Next()});
    }
    Finish(s);
    return s;
}

Samples MakeSmallPuff() {
    Samples s;
    Add(s, Noise{0, 0.5f, 0.8f, 0.004f, 0.11f, 900, 0, 23});
    Add(s, Tone{0, 0.3f, 140, 90, 0.5f, 0.002f, 0.06f});
    Finish(s, 0.7f);
    return s;
}

Samples MakeWinFanfare() {
    Samples s;
    // C5 C5 C5 E5 ... G5 C6, ending on a full chord.
    const struct {
        float start, length;
        int note;
    } notes[] = {{0.00f, 0.12f, 72}, {0.15f, 0.12f, 72}, {0.30f, 0.12f, 72}, {0.45f, 0.35f, 76},
                 {0.85f, 0.18f, 74}, {1.05f, 0.18f, 76}, {1.25f, 0.9f, 79}};
    for (const auto& n : notes) Brass(s, n.start, n.length, n.note, 0.3f);
    for (int note : {60, 64, 67, 72}) Brass(s, 1.25f, 0.9f, note, 0.12f, 0.006f);
    Add(s, Noise{1.25f, 0.8f, 0.25f, 0.001f, 0.25f, 8000, 3000, 29});  // cymbal
    Finish(s, 0.85f);
    return s;
}

Samples MakeLoseTrombone() {
    Samples s;
    // The sad trombone: four falling notes, the last one wobbling away.
    const struct {
        float start, length;
        int note;
        float vibrato;
    } notes[] = {{0.0f, 0.38f, 55, 0.0f},
                 {0.45f, 0.38f, 54, 0.0f},
                 {0.9f, 0.38f, 53, 0.0f},
                 {1.35f, 1.2f, 52, 0.02f}};
    for (const auto& n : notes) Brass(s, n.start, n.length, n.note, 0.4f, n.vibrato);
    Finish(s, 0.85f);
    return s;
}

Samples MakeDrawChime() {
    Samples s;
    Chime(s, 0.0f, 76, 0.5f, 0.35f);  // E5
    Chime(s, 0.3f, 71, 0.5f, 0.35f);  // B4
    Chime(s, 0.6f, 76, 0.3f, 0.5f);
    Chime(s, 0.6f, 71, 0.3f, 0.5f);
    Finish(s, 0.8f);
    return s;
}

Samples MakeKick() {
    Samples s;
    Add(s, Noise{0, 0.25f, 0.6f, 0.08f, 0.07f, 3000, 400, 31});  // the swing
    Add(s, Tone{0.16f, 0.45f, 160, 45, 1.0f, 0.001f, 0.12f});    // the boot lands
    Add(s, Noise{0.16f, 0.06f, 0.5f, 0.0005f, 0.01f, 4000, 0, 37});
    Add(s, Tone{0.3f, 0.6f, 900, 180, 0.25f, 0.01f, 0.3f, Wave::Triangle});  // and off it flies
    Finish(s);
    return s;
}

Samples MakeMatchStart() {
    Samples s;
    Add(s, Tone{0.0f, 0.16f, 880, 880, 0.5f, 0.003f, 0.5f, Wave::Square});
    Add(s, Tone{0.4f, 0.16f, 880, 880, 0.5f, 0.003f, 0.5f, Wave::Square});
    Add(s, Tone{0.8f, 0.55f, 1760, 1760, 0.5f, 0.003f, 0.6f, Wave::Square});
    // Held square tones sound much louder than a knock of the same peak.
    Finish(s, 0.55f);
    return s;
}

Samples MakePlop() {
    Samples s;
    Add(s, Tone{0, 0.12f, 320, 1150, 0.8f, 0.002f, 0.05f});
    Add(s, Tone{0.005f, 0.1f, 640, 2100, 0.15f, 0.002f, 0.03f});
    Finish(s, 0.8f);
    return s;
}

Samples MakeWhistle() {
    Samples s;
    // Two blasts of a pea whistle: a bright tone trilled by the pea.
    for (float start : {0.0f, 0.45f}) {
        const float length = start == 0 ? 0.3f : 0.6f;
        Add(s, Tone{start, length, 2900, 2850, 0.5f, 0.01f, 2.0f, Wave::Sine, 32.0f, 0.03f});
        Add(s, Tone{start, length, 5800, 5700, 0.1f, 0.01f, 2.0f, Wave::Sine, 32.0f, 0.03f});
        Add(s, Noise{start, length, 0.12f, 0.01f, 2.0f, 9000, 2500, 41});
    }
    // Near 3 kHz the ear is at its most sensitive: keep the whistle from
    // drowning out the game.
    Finish(s, 0.55f);
    return s;
}

}  // namespace assetgen
