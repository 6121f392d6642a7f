// How many physics steps a tick runs when the steps follow the clock rather
// than the ticks: the time since the last tick owes steps at 60 a second
// times the speed, what is left of a step is carried to the next tick, and a
// tick never runs more than a second's worth, so a machine far too slow to
// draw falls behind rather than stalling its window. The first tick after a
// start runs one step at 1x.
#pragma once

#include <chrono>

class StepPacer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr double kStepsPerSecond = 60.0;
    static constexpr double kMostStepsPerTick = 60.0;

    // The whole steps a tick at `now` runs at `speed` times the match's own
    // pace; speed 0 (paused) runs none and owes none.
    int StepsAt(Clock::time_point now, double speed);
    // What is left of a step is forgotten: a pause ends with nothing owed.
    void ForgetOwed() { owed_ = 0; }

private:
    double owed_ = 0;
    Clock::time_point lastTick_;
    bool ticked_ = false;
};
