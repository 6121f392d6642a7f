#include "frontend/session/high_precision_timer.h"

#include <QMetaObject>
#include <chrono>

void HighPrecisionTimer::Start(QObject* receiver, std::function<void()> tick, int periodMs) {
    Stop();
    shared_ = std::make_shared<Shared>();
    thread_ = std::thread(
        [this, receiver, periodMs, tick = std::move(tick)] { Run(receiver, tick, periodMs); });
}

void HighPrecisionTimer::Stop() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stopping = true;
    }
    shared_->changed.notify_all();
    thread_.join();
}

void HighPrecisionTimer::Run(QObject* receiver, std::function<void()> tick, int periodMs) {
    std::shared_ptr<Shared> shared = shared_;
    auto next = std::chrono::steady_clock::now();
    std::unique_lock lock(shared->mutex);
    while (!shared->stopping) {
        next += std::chrono::milliseconds(periodMs);
        if (shared->changed.wait_until(lock, next, [&] { return shared->stopping; })) break;
        shared->tickDone = false;
        // Queued, not blocking: Stop() on the GUI thread must never wait for
        // a tick that the GUI thread itself would have to run.
        QMetaObject::invokeMethod(
            receiver,
            [shared, tick] {
                {
                    std::lock_guard guard(shared->mutex);
                    if (shared->stopping) return;
                }
                tick();
                {
                    std::lock_guard guard(shared->mutex);
                    shared->tickDone = true;
                }
                shared->changed.notify_all();
            },
            Qt::QueuedConnection);
        shared->changed.wait(lock, [&] { return shared->tickDone || shared->stopping; });
        // A late tick does not bunch up the following ones.
        const auto now = std::chrono::steady_clock::now();
        if (next < now) next = now;
    }
}
