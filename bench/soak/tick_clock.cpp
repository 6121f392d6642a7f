#include "tick_clock.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <numeric>

bool TickClockApplication::IsFrameTimer(QObject* receiver) const {
    const auto* timer = qobject_cast<const QTimer*>(receiver);
    return timer && timer->interval() == tickMs_ &&
           std::find(ignored_.begin(), ignored_.end(), timer) == ignored_.end();
}

bool TickClockApplication::notify(QObject* receiver, QEvent* event) {
    if (event->type() != QEvent::Timer || !IsFrameTimer(receiver))
        return QCoreApplication::notify(receiver, event);
    QElapsedTimer clock;
    clock.start();
    const bool handled = QCoreApplication::notify(receiver, event);
    tickUs_.push_back(clock.nsecsElapsed() / 1000);
    return handled;
}

TickSummary TickClockApplication::TakeSummary() {
    TickSummary s;
    s.ticks = tickUs_.size();
    if (!tickUs_.empty()) {
        std::sort(tickUs_.begin(), tickUs_.end());
        s.maxUs = tickUs_.back();
        s.p99Us = tickUs_[tickUs_.size() * 99 / 100];
        s.meanUs = std::accumulate(tickUs_.begin(), tickUs_.end(), int64_t{0}) /
                   static_cast<int64_t>(tickUs_.size());
    }
    tickUs_.clear();
    return s;
}
