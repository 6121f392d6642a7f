#include "game/frame.h"

#include <chrono>

#include "game/intro.h"
#include "game/key_aim.h"
#include "game/play_mode.h"
#include "game/practice.h"
#include "game/records.h"
#include "game/returned_disc.h"
#include "game/view_motion.h"

namespace {
using Clock = std::chrono::steady_clock;
Clock::time_point previousFrame;
bool haveFrame = false;
float lastFrameSeconds = 0.0f;
}  // namespace

bool RunGameFrame(GameState& g, const FrameInput& input, FrameView* view) {
    const float seconds = input.frameSeconds;
    TurnViewByMouse(g, input);
    Celebrate(g, seconds);
    const bool playing = InPlay(g);
    if (playing) AdvanceReturnBlink(g);
    if (view) view->PlaceCamera(g);
    bool strikerPlaced = false;
    if (playing) {
        FrameInput aim = input;
        aim.tableHit = view && view->PickTable(aim.tableX, aim.tableZ);
        SteerAimByKeys(g, aim);
        strikerPlaced = RunAimStep(g, aim);
        // Only with the focus: a "p" typed into the chat is not a pause.
        HandlePauseKey(g, g.hasFocus && input.pausePressed);
    } else {
        SettleIntroRandom(g);
        TurnIntroView(g, seconds);
        AdvanceBestPlaysScreen(g, seconds);
    }
    if (!WatchedRun(g)) AdvanceRunClock(g, seconds);
    return strikerPlaced;
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

void RestartFrameClock() {
    haveFrame = false;
}
