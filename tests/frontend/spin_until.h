// Waits for a condition on the test's event loop, so that sockets, processes
// and timers of the code under test make progress meanwhile. The wait sleeps
// until an event arrives and looks at the condition after each, instead of
// spinning the processor that the peers under test need.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <functional>

// Long enough for a loaded two-core machine; a passing wait ends far sooner.
constexpr int kSpinWaitMs = 15000;
// How often a condition that no event of this thread announces (a counter
// another thread keeps) is looked at all the same.
constexpr int kRecheckMs = 5;

// True as soon as done() holds; false when timeoutMs passed first.
inline bool SpinUntil(const std::function<bool()>& done, int timeoutMs = kSpinWaitMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QTimer recheck;
    recheck.start(kRecheckMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Lets the event loop run for ms milliseconds: for checks that something
// does not happen before a deadline of the code under test.
inline void SpinFor(int ms) {
    SpinUntil([] { return false; }, ms);
}
