// Turning the join dialog's address into the addresses to connect to. A
// name is looked up off the GUI thread (Qt's resolver runs its own
// threads); an answer that has not come within the time limit counts as a
// failure, and a late one is ignored, so the window never waits on a slow
// or absent name server.
#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

enum class LookupFailure { None, NotFound, TimedOut };

struct LookupResult {
    QList<QHostAddress> addresses;  // in the order to try them; empty on failure
    LookupFailure failure = LookupFailure::None;
};

// Looks a name up and calls done once, on the calling thread, with what it
// found (an empty list when nothing). Tests put a stand-in here.
using HostResolver =
    std::function<void(const QString& name, QObject* context,
                       std::function<void(const QList<QHostAddress>&)> done)>;
HostResolver SystemHostResolver();

class HostLookup {
public:
    static constexpr int kTimeLimitMs = 5000;

    explicit HostLookup(HostResolver resolver = SystemHostResolver())
        : resolver_(std::move(resolver)) {}

    void SetResolver(HostResolver resolver, int timeLimitMs = kTimeLimitMs) {
        resolver_ = std::move(resolver);
        timeLimitMs_ = timeLimitMs;
    }
    // An address is answered at once; a name after the look-up or the time
    // limit. A lookup started before, still running, is forgotten.
    void Start(const QString& address, std::function<void(const LookupResult&)> done);
    // Forgets the running look-up: its answer will reach nobody.
    void Cancel();

private:
    HostResolver resolver_;
    int timeLimitMs_ = kTimeLimitMs;
    // One per look-up; deleting it drops the resolver's late answer and the
    // time limit's timer with it.
    std::unique_ptr<QObject> pending_;
};
