#include "frontend/replay/replay_watch.h"

#include <algorithm>

namespace {
// The cue shows the coming shot for this many steps before it is fired.
constexpr uint32_t kAimShownSteps = 60;
constexpr uint8_t kButtonHeld = 1;
constexpr double kStepsPerSecond = 60.0;
// A tick never runs more than this: a machine far too slow to draw falls
// behind rather than stalling the window.
constexpr double kMostStepsPerTick = 60.0;
}  // namespace

ReplayWatch::ReplayWatch(const replay::Replay& replay, GameLibrary& library)
    : library_(library), player_(replay, library, library) {}

void ReplayWatch::Tick() {
    const Clock::time_point now = Clock::now();
    if (!paused_) {
        // The first tick runs one step; later ones what the time owes.
        const double seconds = ticked_ ? std::chrono::duration<double>(now - lastTick_).count()
                                       : 1.0 / kStepsPerSecond;
        owed_ = std::min(owed_ + seconds * kStepsPerSecond * speed_, kMostStepsPerTick);
        for (; owed_ >= 1.0; owed_ -= 1.0) StepOnce();
    }
    lastTick_ = now;
    ticked_ = true;
    library_.Render();
}

void ReplayWatch::SetPaused(bool paused) {
    paused_ = paused;
    owed_ = 0;
}

void ReplayWatch::SkipToNextShot() {
    const auto next = player_.NextShotStep();
    if (!next) return;
    const uint32_t target = *next > kAimShownSteps ? *next - kAimShownSteps : 0;
    while (!player_.Finished() && player_.StepsRun() < target) StepOnce();
}

void ReplayWatch::StepOnce() {
    const auto next = player_.NextShotStep();
    if (next && *next <= player_.StepsRun() + kAimShownSteps && !library_.IsMoving()) {
        // The shot as the shooter aimed it: the cue held on the striker's spot.
        const auto shot = player_.NextShot();
        library_.ShowRemoteAim({shot->x, shot->z, shot->force, shot->angle, kButtonHeld});
    }
    player_.Step();
}
