#include "frontend/net/host_lookup.h"

#include <QHostInfo>
#include <QTimer>

HostResolver SystemHostResolver() {
    return [](const QString& name, QObject* context,
              std::function<void(const QList<QHostAddress>&)> done) {
        const int id = QHostInfo::lookupHost(name, context, [done](const QHostInfo& info) {
            done(info.error() == QHostInfo::NoError ? info.addresses() : QList<QHostAddress>{});
        });
        // The resolver's thread finishes its query when the context goes
        // first, but nobody is told: abort it so its slot is freed.
        QObject::connect(context, &QObject::destroyed, [id] { QHostInfo::abortHostLookup(id); });
    };
}

void HostLookup::Start(const QString& address, std::function<void(const LookupResult&)> done) {
    Cancel();
    const QHostAddress literal(address);
    if (!literal.isNull()) {
        done({{literal}, LookupFailure::None});
        return;
    }
    pending_ = std::make_unique<QObject>();
    QObject* context = pending_.get();
    auto finish = [this, context, done](const LookupResult& result) {
        if (pending_.get() != context) return;
        // The answer may come from inside the context's own notification.
        pending_.release()->deleteLater();
        done(result);
    };
    QTimer::singleShot(timeLimitMs_, context,
                       [finish] { finish({{}, LookupFailure::TimedOut}); });
    resolver_(address, context, [finish](const QList<QHostAddress>& found) {
        QList<QHostAddress> usable;
        for (const QHostAddress& a : found) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol ||
                a.protocol() == QAbstractSocket::IPv6Protocol)
                usable.append(a);
        }
        finish({usable, usable.isEmpty() ? LookupFailure::NotFound : LookupFailure::None});
    });
}

void HostLookup::Cancel() {
    pending_.reset();
}
