// SIGINT and SIGTERM as a Qt notification: the handler only writes a byte to
// a pipe, and the event loop reads it and calls back, so the player leaves
// the game the ordinary way.
#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

class StopSignals {
public:
    explicit StopSignals(std::function<void()> onStop);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    std::function<void()> onStop_;
    std::unique_ptr<QSocketNotifier> notifier_;
};
