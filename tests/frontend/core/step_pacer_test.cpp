// Steps that follow the clock, as a replay is watched: the time owes the
// steps at the chosen speed, part steps carry over, a pause owes nothing and
// a very late tick runs a second's worth at most.
#include "frontend/library/step_pacer.h"

#include <gtest/gtest.h>

namespace {

using std::chrono::milliseconds;
using Clock = StepPacer::Clock;

// Ticks every `every` for `count` ticks from `start` at `speed`; the steps
// they ran together.
int StepsOver(StepPacer& pacer, Clock::time_point& at, milliseconds every, int count,
              double speed) {
    int steps = 0;
    for (int i = 0; i < count; ++i) {
        at += every;
        steps += pacer.StepsAt(at, speed);
    }
    return steps;
}

TEST(StepPacer, TheFirstTickRunsOneStepAtTheChosenSpeed) {
    StepPacer oneTimes, fourTimes;
    EXPECT_EQ(oneTimes.StepsAt(Clock::now(), 1), 1);
    EXPECT_EQ(fourTimes.StepsAt(Clock::now(), 4), 4);
}

TEST(StepPacer, ASecondOfTicksRunsSixtyStepsTimesTheSpeedWhateverTheTickRate) {
    for (const double speed : {1.0, 2.0, 4.0}) {
        for (const int tickMs : {10, 20, 25, 50, 100}) {
            StepPacer pacer;
            Clock::time_point at{};
            pacer.StepsAt(at, speed);
            const int steps = StepsOver(pacer, at, milliseconds(tickMs), 1000 / tickMs, speed);
            // Part steps carry over: at most the one still owed is missing.
            EXPECT_GE(steps, 60 * speed - 1) << speed << "x every " << tickMs << " ms";
            EXPECT_LE(steps, 60 * speed) << speed << "x every " << tickMs << " ms";
        }
    }
}

TEST(StepPacer, TicksFasterThanTheStepsRunSomeWithoutAStep) {
    StepPacer pacer;
    Clock::time_point at{};
    pacer.StepsAt(at, 1);
    int idle = 0;
    for (int i = 0; i < 30; ++i) {
        at += milliseconds(5);
        if (pacer.StepsAt(at, 1) == 0) ++idle;
    }
    EXPECT_GE(idle, 20) << "a step every 16.7 ms, a tick every 5";
}

TEST(StepPacer, APauseOwesNothingAndItsTimeNeverComesBack) {
    StepPacer pacer;
    Clock::time_point at{};
    pacer.StepsAt(at, 1);
    EXPECT_EQ(StepsOver(pacer, at, milliseconds(100), 20, 0), 0);
    pacer.ForgetOwed();
    EXPECT_EQ(StepsOver(pacer, at, milliseconds(50), 1, 1), 3)
        << "only the time since the last paused tick";
}

TEST(StepPacer, APartStepForgottenIsNotRunLater) {
    StepPacer pacer;
    Clock::time_point at{};
    pacer.StepsAt(at, 1);
    EXPECT_EQ(StepsOver(pacer, at, milliseconds(15), 1, 1), 0);  // 0.9 of a step owed
    EXPECT_EQ(StepsOver(pacer, at, milliseconds(5), 1, 1), 1);
    EXPECT_EQ(StepsOver(pacer, at, milliseconds(15), 1, 1), 1);  // 0.2 + 0.9
    pacer.ForgetOwed();
    EXPECT_EQ(StepsOver(pacer, at, milliseconds(15), 1, 1), 0);
}

TEST(StepPacer, ALateTickRunsASecondsWorthAtMostAndOwesNothingMore) {
    StepPacer pacer;
    Clock::time_point at{};
    pacer.StepsAt(at, 1);
    EXPECT_EQ(StepsOver(pacer, at, milliseconds(5000), 1, 1), 60);
    EXPECT_EQ(StepsOver(pacer, at, milliseconds(1), 1, 1), 0);
    EXPECT_EQ(StepsOver(pacer, at, milliseconds(2000), 1, 4), 60);
}

}  // namespace
