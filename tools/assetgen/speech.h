// Spoken chat jokes, synthesised at build time with eSpeak NG.
#pragma once

#include <string>

#include "tools/assetgen/wave_file.h"

namespace assetgen {

struct SpokenPhrase {
    const char* text;   // UTF-8
    const char* voice;  // eSpeak NG voice, e.g. "en-us+m3"
    int pitch;          // 0..99, 50 is normal
    int wordsPerMinute;
};

class SpeechSynthesizer {
public:
    // Throws when eSpeak NG cannot start.
    SpeechSynthesizer();
    ~SpeechSynthesizer();
    SpeechSynthesizer(const SpeechSynthesizer&) = delete;
    SpeechSynthesizer& operator=(const SpeechSynthesizer&) = delete;

    // The phrase at kSampleRate, normalised.
    Samples Speak(const SpokenPhrase& phrase);

private:
    int engineRate_ = 0;
};

}  // namespace assetgen
