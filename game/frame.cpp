#include "game/frame.h"

#include <chrono>

#include "game/practice.h"

namespace {
using Clock = std::chrono::steady_clock;
Clock::time_point previousFrame;
bool haveFrame = false;
float lastFrameSeconds = 0.0f;
}  // namespace

void RunGameFrame(GameState& g, const FrameInput& input, bool pausePressed) {
    HandlePauseKey(g, pausePressed);
    RunAimStep(g, input);
    AdvanceRunClock(g, input.frameSeconds);
    AdvancePracticePhase(g, input.frameSeconds);
}

float MeasureFrameSeconds() {
    const Clock::time_point now = Clock::now();
    lastFrameSeconds = haveFrame ? std::chrono::duration<float>(now - previousFrame).count() : 0.0f;
    previousFrame = now;
    haveFrame = true;
    return lastFrameSeconds;
}

float LastFrameSeconds() {
    return lastFrameSeconds;
}
