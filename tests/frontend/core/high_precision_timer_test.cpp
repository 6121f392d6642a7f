// The "-high" timer: its own thread keeps the pace, but every tick runs on
// the GUI thread, one at a time, and stopping never waits for the GUI thread.
#include "frontend/session/high_precision_timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <thread>

#include "tests/frontend/spin_until.h"

namespace {

TEST(HighPrecisionTimer, TicksRunOnTheGuiThreadAndStopForGood) {
    QObject receiver;
    HighPrecisionTimer timer;
    int ticks = 0;
    bool allOnGuiThread = true;
    timer.Start(
        &receiver,
        [&] {
            ++ticks;
            allOnGuiThread &= QThread::currentThread() == QCoreApplication::instance()->thread();
        },
        5);
    ASSERT_TRUE(SpinUntil([&] { return ticks >= 5; }));
    EXPECT_TRUE(allOnGuiThread);
    timer.Stop();
    EXPECT_FALSE(timer.Running());
    const int stopped = ticks;
    SpinFor(60);
    EXPECT_EQ(ticks, stopped);
}

TEST(HighPrecisionTimer, ABusyGuiThreadGetsOneTickNotAPileOfThem) {
    QObject receiver;
    HighPrecisionTimer timer;
    int ticks = 0;
    timer.Start(
        &receiver, [&] { ++ticks; }, 5);
    ASSERT_TRUE(SpinUntil([&] { return ticks >= 1; }));
    // The GUI thread is busy for twenty periods: the timer waits for it.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const int before = ticks;
    QCoreApplication::processEvents();
    EXPECT_LE(ticks - before, 1);

    // Stopping while a tick waits to be run neither blocks nor runs it.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    timer.Stop();
    const int stopped = ticks;
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, stopped);
}

}  // namespace
