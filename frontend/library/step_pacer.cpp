#include "frontend/library/step_pacer.h"

#include <algorithm>

int StepPacer::StepsAt(Clock::time_point now, double speed) {
    const double seconds = ticked_ ? std::chrono::duration<double>(now - lastTick_).count()
                                   : 1.0 / kStepsPerSecond;
    lastTick_ = now;
    ticked_ = true;
    owed_ = std::min(owed_ + seconds * kStepsPerSecond * speed, kMostStepsPerTick);
    const int steps = static_cast<int>(owed_);
    owed_ -= steps;
    return steps;
}
