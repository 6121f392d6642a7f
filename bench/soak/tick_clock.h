// How long the frame tick takes, measured from outside the front end: an
// application object that times every timer event delivered to the core's
// frame timer, the one QTimer of the process with the tick's interval that
// the program did not make itself. The times are kept per match, so a host
// that serves many matches shows whether its tick grows slower.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <cstdint>
#include <vector>

struct TickSummary {
    uint64_t ticks = 0;
    int64_t maxUs = 0;
    int64_t p99Us = 0;
    int64_t meanUs = 0;
};

class TickClockApplication : public QCoreApplication {
public:
    TickClockApplication(int& argc, char** argv) : QCoreApplication(argc, argv) {}

    // Timers of the program's own (its poll timer) are left out.
    void Ignore(const QObject* timer) { ignored_.push_back(timer); }
    void SetTickMs(int ms) { tickMs_ = ms; }

    // The ticks since the last call, summarised; the record starts afresh.
    TickSummary TakeSummary();

    bool notify(QObject* receiver, QEvent* event) override;

private:
    bool IsFrameTimer(QObject* receiver) const;

    std::vector<const QObject*> ignored_;
    int tickMs_ = 16;
    std::vector<int64_t> tickUs_;
};
