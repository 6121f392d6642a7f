// Waits for a condition while the test's event loop keeps running, so that
// sockets and timers of the code under test make progress meanwhile.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

// Long enough for a loaded two-core machine; a passing wait ends far sooner.
constexpr int kSpinWaitMs = 15000;

// True as soon as done() holds; false when timeoutMs passed first.
inline bool SpinUntil(const std::function<bool()>& done, int timeoutMs = kSpinWaitMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Lets the event loop run for ms milliseconds.
inline void SpinFor(int ms) {
    SpinUntil([] { return false; }, ms);
}
