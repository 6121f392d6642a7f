// What the HUD remembers from frame to frame: its pulses, the hint cycle,
// the tries animation and the best-plays screen's slide. Each part moves
// only while the screen that shows it is drawn, so it freezes while
// another screen shows.
#pragma once

#include <algorithm>
#include <cstdint>

// A value swinging between bottom and top at rate units a second. On a long
// frame it would overshoot before it turns; it is held inside its range.
struct Pulse {
    float value = 0;
    bool up = false;

    float Advance(float frameSeconds, float rate, float top, float bottom = 0) {
        if (up) {
            value += frameSeconds * rate;
            if (value > top) up = false;
        } else {
            value -= frameSeconds * rate;
            if (value < bottom) up = true;
        }
        value = std::clamp(value, bottom, top);
        return value;
    }
};

enum HintStep : uint8_t { kHintChoose, kHintFadeIn, kHintHold, kHintFadeOut, kHintRest };
enum TriesStep : uint8_t { kTriesIdle, kTriesFading, kTriesSliding };

struct HudState {
    Pulse turnPulse;
    Pulse matchEndPulse, practiceWinPulse, practiceLossPulse;
    Pulse pausePulse;

    uint8_t hintState = kHintHold;
    float hintTimer = 6.0f;
    float hintAlpha = 0;
    uint8_t hintIndex = 0;  // a hint slot: hint x 3 + language

    uint8_t triesShown = 0;  // disc icons drawn
    uint8_t triesAnim = kTriesIdle;
    float triesFade = 255, triesSlide = 0;

    Pulse recordGlow{196, false};
};

// The HUD of the running scene; back to these start values with Hud() = {}.
HudState& Hud();
