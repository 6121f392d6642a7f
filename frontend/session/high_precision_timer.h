// The "-high" timer: a thread that ticks every 16 ms and hands each tick to
// the GUI thread, waiting until it has run. The library, the event queue and
// the sockets are therefore only ever used from the GUI thread.
#pragma once

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class HighPrecisionTimer {
public:
    static constexpr int kPeriodMs = 16;

    HighPrecisionTimer() = default;
    ~HighPrecisionTimer() { Stop(); }
    HighPrecisionTimer(const HighPrecisionTimer&) = delete;
    HighPrecisionTimer& operator=(const HighPrecisionTimer&) = delete;

    // receiver lives in the GUI thread; tick runs there every periodMs.
    void Start(QObject* receiver, std::function<void()> tick, int periodMs = kPeriodMs);
    // Safe from the GUI thread even while a tick is waiting to be run.
    void Stop();
    bool Running() const { return thread_.joinable(); }

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        bool stopping = false;
        bool tickDone = false;
    };

    void Run(QObject* receiver, std::function<void()> tick, int periodMs);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};
