#include "line_proxy.h"

#include <QHostAddress>
#include <algorithm>

LineProxy::LineProxy(quint16 hostPort) : hostPort_(hostPort) {
    clock_.start();
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] { Accept(); });
}

LineProxy::~LineProxy() {
    Cut();
}

void LineProxy::Accept() {
    while (server_.hasPendingConnections()) {
        std::unique_ptr<QTcpSocket> near(server_.nextPendingConnection());
        near->setParent(nullptr);
        if (down_) {
            near->abort();
            continue;
        }
        auto pair = std::make_unique<Pair>();
        pair->near = std::move(near);
        pair->far = std::make_unique<QTcpSocket>();
        QTcpSocket* n = pair->near.get();
        QTcpSocket* f = pair->far.get();
        Pair* p = pair.get();
        p->toFar.to = f;
        p->toNear.to = n;
        for (Direction* d : {&p->toFar, &p->toNear}) {
            d->timer.setSingleShot(true);
            QObject::connect(&d->timer, &QTimer::timeout, [this, d] { Deliver(*d); });
        }
        // Bytes from the peer wait in its socket until the host's side is up.
        QObject::connect(f, &QTcpSocket::connected, [this, n, p] { Carry(p->toFar, n->readAll()); });
        QObject::connect(n, &QTcpSocket::readyRead, [this, n, f, p] {
            if (f->state() == QAbstractSocket::ConnectedState) Carry(p->toFar, n->readAll());
        });
        QObject::connect(f, &QTcpSocket::readyRead, [this, f, p] { Carry(p->toNear, f->readAll()); });
        // One end closing closes the other, after what it still had to say.
        QObject::connect(n, &QTcpSocket::disconnected, f, [f] { f->disconnectFromHost(); });
        QObject::connect(f, &QTcpSocket::disconnected, n, [n] { n->disconnectFromHost(); });
        f->connectToHost(QHostAddress::LocalHost, hostPort_);
        pairs_.push_back(std::move(pair));
    }
}

void LineProxy::SetSlowLine(int minMs, int maxMs, unsigned seed) {
    slow_ = true;
    minMs_ = minMs;
    maxMs_ = maxMs;
    random_.seed(seed);
}

void LineProxy::Carry(Direction& d, const QByteArray& bytes) {
    if (bytes.isEmpty()) return;
    if (!slow_) {
        d.to->write(bytes);
        return;
    }
    std::uniform_int_distribution<int> delay(minMs_, maxMs_);
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype left = bytes.size() - at;
        const qsizetype size = std::uniform_int_distribution<qsizetype>(1, left)(random_);
        d.lastDue = std::max(d.lastDue, clock_.elapsed() + delay(random_));
        d.pending.emplace_back(d.lastDue, bytes.mid(at, size));
        at += size;
    }
    if (!d.timer.isActive()) Deliver(d);
}

void LineProxy::Deliver(Direction& d) {
    const qint64 now = clock_.elapsed();
    while (!d.pending.empty() && d.pending.front().first <= now) {
        d.to->write(d.pending.front().second);
        d.to->flush();  // each piece its own segment, as far as the system lets it
        d.pending.pop_front();
        ++pieces_;
    }
    if (!d.pending.empty()) d.timer.start(static_cast<int>(d.pending.front().first - now));
}

void LineProxy::Cut() {
    for (auto& p : pairs_) {
        p->near->disconnect();
        p->far->disconnect();
        p->near->abort();
        p->far->abort();
    }
    pairs_.clear();
}
