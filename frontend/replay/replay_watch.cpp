#include "frontend/replay/replay_watch.h"

namespace {
// The cue shows the coming shot for this many steps before it is fired.
constexpr uint32_t kAimShownSteps = 60;
constexpr uint8_t kButtonHeld = 1;
}  // namespace

ReplayWatch::ReplayWatch(const replay::Replay& replay, GameLibrary& library)
    : library_(library), player_(replay, library, library) {}

void ReplayWatch::Tick() {
    const int steps = pacer_.StepsAt(StepPacer::Clock::now(), paused_ ? 0 : speed_);
    for (int i = 0; i < steps; ++i) StepOnce();
    library_.Render();
}

void ReplayWatch::SetPaused(bool paused) {
    paused_ = paused;
    pacer_.ForgetOwed();
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
